// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// Turns a sideways page list one page per wheel notch (a touchpad's small steps add up to one),
// either way the wheel or the pad moves.
WheelHandler {
    id: wheel
    required property ListView view
    property real pending: 0
    target: null
    acceptedModifiers: Qt.NoModifier
    onWheel: (event) => {
        const delta = Math.abs(event.angleDelta.y) >= Math.abs(event.angleDelta.x)
                    ? event.angleDelta.y : event.angleDelta.x
        pending += delta
        while (Math.abs(pending) >= 120) {
            if (pending < 0)
                view.incrementCurrentIndex()
            else
                view.decrementCurrentIndex()
            pending -= pending < 0 ? -120 : 120
        }
    }
}
