// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Quire

// One page of the PDF to be: its picture and number; dragged onto another cell it takes that
// place; the arrows move it a place earlier or later and ✕ leaves it out.
Item {
    id: slot
    required property url modelData
    required property int index
    required property GridView grid
    required property real side
    required property ImageToPDFScreen screen
    width: grid.cellWidth
    height: grid.cellHeight

    Rectangle {
        id: card
        objectName: "CollectionViewCellImagePDFPreview"
        width: slot.side
        height: slot.side
        x: (slot.width - width) / 2
        y: (slot.height - height) / 2
        z: dragArea.drag.active ? 2 : 0
        color: Theme.surface
        border.color: dragArea.drag.active ? Theme.appGreenColor : Theme.border
        radius: 6
        Accessible.role: Accessible.ListItem
        Accessible.name: qsTr("Page %1").arg(slot.index + 1)
        Accessible.description: ImageNames.fileName(slot.modelData)
        Image {
            objectName: "ivImage"
            Accessible.ignored: true
            anchors.fill: parent
            anchors.margins: 6
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            sourceSize.width: width * 2
            sourceSize.height: height * 2
            source: slot.modelData
        }
        MouseArea {
            id: dragArea
            anchors.fill: parent
            drag.target: card
            onReleased: {
                const centre = card.mapToItem(slot.grid.contentItem, card.width / 2, card.height / 2)
                const to = slot.grid.indexAt(centre.x, centre.y)
                card.x = (slot.width - card.width) / 2
                card.y = (slot.height - card.height) / 2
                if (to >= 0 && to !== slot.index)
                    slot.screen.movePage(slot.index, to)
            }
        }
        Label {
            objectName: "pageNumber"
            Accessible.ignored: true // the cell says it
            text: slot.index + 1
            anchors { left: parent.left; top: parent.top; margins: 8 }
            padding: 4
            color: Theme.appWhiteColor
            background: Rectangle { color: Theme.appBlackColor; radius: 4; opacity: 0.7 }
        }
        Row {
            anchors { bottom: parent.bottom; horizontalCenter: parent.horizontalCenter; margins: 4 }
            spacing: 2
            RoundButton {
                objectName: "btnMoveEarlier"
                text: "‹"
                Accessible.name: qsTr("Move earlier")
                enabled: slot.index > 0
                onClicked: slot.screen.moveEarlier(slot.index)
            }
            RoundButton {
                objectName: "btnRemovePage"
                text: "✕"
                Accessible.name: qsTr("Leave out")
                onClicked: slot.screen.removePage(slot.index)
            }
            RoundButton {
                objectName: "btnMoveLater"
                text: "›"
                Accessible.name: qsTr("Move later")
                enabled: slot.index < slot.grid.count - 1
                onClicked: slot.screen.moveLater(slot.index)
            }
        }
    }
}
