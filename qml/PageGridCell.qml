// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Window
import Quire

// One page of the page grid: its picture as it will be turned, its number, and a tick while it is
// selected. A tap selects it (Ctrl adds, Shift reaches); dragged onto another cell it takes that
// place.
Item {
    id: slot
    required property int index
    required property url image
    required property string label
    required property real aspect
    required property int turn
    required property bool selected
    required property GridView grid
    required property PageGridScreen screen
    width: grid.cellWidth
    height: grid.cellHeight
    readonly property bool sideways: turn % 180 !== 0
    // The page's outline once turned, fitted into the card less its margin.
    readonly property real room: card.width - 2 * Theme.spacingMedium
    readonly property real shownAspect: sideways ? 1 / aspect : aspect
    readonly property real shownWidth: shownAspect >= 1 ? room : room * shownAspect
    readonly property real shownHeight: shownAspect >= 1 ? room / shownAspect : room

    Rectangle {
        id: card
        objectName: "pageCard"
        width: slot.grid.cellWidth - Theme.spacing
        height: width
        x: (slot.width - width) / 2
        y: (slot.height - height) / 2
        z: dragArea.drag.active ? 2 : 0
        radius: Theme.radius
        color: slot.selected ? Theme.accentTint : Theme.surface
        border.color: slot.selected || dragArea.drag.active ? Theme.appGreenColor
                    : slot.GridView.isCurrentItem && slot.grid.activeFocus ? Theme.focusRing : Theme.border
        border.width: slot.selected || (slot.GridView.isCurrentItem && slot.grid.activeFocus) ? 3 : 1
        Accessible.role: Accessible.CheckBox
        Accessible.name: qsTr("Page %1").arg(slot.label)
        Accessible.checkable: true
        Accessible.checked: slot.selected
        Accessible.onToggleAction: slot.screen.toggleSelected(slot.index)

        Rectangle {
            anchors.centerIn: parent
            width: slot.shownWidth
            height: slot.shownHeight
            color: Theme.paper
            Image {
                objectName: "pageImage"
                Accessible.ignored: true
                anchors.centerIn: parent
                // Drawn upright at the size it is shown, then turned.
                width: slot.sideways ? parent.height : parent.width
                height: slot.sideways ? parent.width : parent.height
                rotation: slot.turn
                asynchronous: true
                cache: false
                source: slot.image
                sourceSize.width: width * Screen.devicePixelRatio
                sourceSize.height: height * Screen.devicePixelRatio
            }
        }
        MouseArea {
            id: dragArea
            anchors.fill: parent
            drag.target: card
            onClicked: (mouse) => {
                slot.grid.currentIndex = slot.index
                if (mouse.modifiers & Qt.ControlModifier)
                    slot.screen.toggleSelected(slot.index)
                else if (mouse.modifiers & Qt.ShiftModifier)
                    slot.screen.selectRange(slot.index)
                else
                    slot.screen.select(slot.index)
            }
            onReleased: {
                const centre = card.mapToItem(slot.grid.contentItem, card.width / 2, card.height / 2)
                const to = slot.grid.indexAt(centre.x, centre.y)
                card.x = (slot.width - card.width) / 2
                card.y = (slot.height - card.height) / 2
                if (to >= 0 && to !== slot.index) {
                    slot.screen.move(slot.index, to)
                    slot.grid.currentIndex = to
                }
            }
        }
        Label {
            objectName: "pageNumber"
            Accessible.ignored: true // the card says it
            text: slot.label
            anchors { left: parent.left; top: parent.top; margins: Theme.spacing }
            padding: Theme.spacingSmall
            color: Theme.textOnAccent
            background: Rectangle { color: Theme.badge; radius: Theme.spacingSmall }
        }
        Image {
            Accessible.ignored: true
            visible: slot.selected
            anchors { right: parent.right; top: parent.top; margins: Theme.spacing }
            width: Theme.fontGlyphPixels
            height: width
            sourceSize.width: width
            sourceSize.height: height
            source: Theme.selectImage
        }
    }
}
