// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Quire

// One corner of a page's outline: drag it, or tap it and move it with the arrow keys (Shift for
// larger steps).
Rectangle {
    id: handle
    required property AdjustScreen screen
    required property Item area
    required property int index
    required property string modelData
    readonly property point corner: screen.corners.length === 4 ? screen.corners[index]
                                                                : Qt.point(0, 0)
    property point dragStart
    readonly property bool dragging: drag.active
    readonly property int step: 1
    width: 36
    height: 36
    radius: width / 2
    x: corner.x * area.width - width / 2
    y: corner.y * area.height - height / 2
    color: Theme.outlineFill
    border.color: activeFocus ? Theme.focusRing : Theme.outline
    border.width: activeFocus ? Theme.focusRingWidth : 2
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: modelData
    Accessible.description: qsTr("Drag, or use the arrow keys, to move this corner of the page.")

    Keys.onLeftPressed: event => screen.nudgeCorner(index, event.modifiers & Qt.ShiftModifier ? -5 : -1, 0)
    Keys.onRightPressed: event => screen.nudgeCorner(index, event.modifiers & Qt.ShiftModifier ? 5 : 1, 0)
    Keys.onUpPressed: event => screen.nudgeCorner(index, 0, event.modifiers & Qt.ShiftModifier ? -5 : -1)
    Keys.onDownPressed: event => screen.nudgeCorner(index, 0, event.modifiers & Qt.ShiftModifier ? 5 : 1)

    TapHandler { onTapped: handle.forceActiveFocus() }
    DragHandler {
        id: drag
        target: null
        onActiveChanged: {
            if (active) {
                handle.dragStart = handle.corner
                handle.forceActiveFocus()
            }
        }
        onActiveTranslationChanged: handle.screen.moveCorner(handle.index,
            handle.dragStart.x + activeTranslation.x / handle.area.width,
            handle.dragStart.y + activeTranslation.y / handle.area.height)
    }
}
