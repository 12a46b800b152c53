// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T
import Quire

// A flat button's background: nothing, or a ring while the keyboard is on it.
Rectangle {
    required property T.AbstractButton button
    implicitWidth: 64
    implicitHeight: 40
    radius: Theme.radius
    color: button.down ? Theme.accentTint : Theme.none
    border.color: Theme.focusRing
    border.width: button.visualFocus ? Theme.focusRingWidth : 0
}
