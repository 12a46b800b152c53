// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Quire

// A square photo cell of every photo grid: the picture, a tick mark, and a size text.
Rectangle {
    id: cell
    property url imageUrl
    // The photo's file name, for screen readers.
    property string name: ""
    property bool showsTick: false
    property bool ticked: false
    property string sizeText: ""
    property int thumbnailSize: 300
    // Shows a spinner while the size text is still being worked out.
    property bool sizePending: false
    signal clicked()
    color: Theme.surface
    clip: true
    border.color: Theme.appGreenColor
    border.width: activeFocus || (GridView.isCurrentItem && GridView.view.activeFocus) ? 3 : 0
    Accessible.role: showsTick ? Accessible.CheckBox : Accessible.Button
    Accessible.name: name !== "" ? name : ImageNames.fileName(imageUrl)
    Accessible.checkable: showsTick
    Accessible.checked: ticked
    Accessible.description: sizeText
    Accessible.onPressAction: cell.clicked()
    Accessible.onToggleAction: cell.clicked()

    MouseArea {
        anchors.fill: parent
        onClicked: cell.clicked()
    }
    Item {
        anchors.fill: parent
        // Stays in sight until the photo has been decoded, or when it cannot be.
        Image {
            anchors.centerIn: parent
            width: parent.width * 0.4
            height: width
            source: Theme.placeholderImage
            Accessible.ignored: true
            sourceSize.width: width
            sourceSize.height: height
            visible: ivImage.status !== Image.Ready
        }
        Image {
            id: ivImage
            objectName: "ivImage"
            anchors.fill: parent
            fillMode: Image.PreserveAspectCrop
            asynchronous: true
            sourceSize.width: cell.thumbnailSize
            sourceSize.height: cell.thumbnailSize
            source: cell.imageUrl
            Accessible.ignored: true
        }
        Image {
            id: ivSelect
            objectName: "ivSelect"
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.margins: Theme.spacing
            width: 28
            height: 28
            sourceSize.width: 56
            sourceSize.height: 56
            visible: cell.showsTick
            source: cell.ticked ? Theme.selectImage : Theme.unselectImage
            Accessible.ignored: true
        }
        BusyIndicator {
            anchors.centerIn: parent
            width: 32
            height: 32
            running: cell.sizePending
            visible: running
        }
        Label {
            id: lblSize
            objectName: "lblSize"
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            anchors.margins: 6
            // A long result ("quality 10, 1280 × 960") wraps within the cell rather than run off.
            width: Math.min(implicitWidth, parent.width - 2 * anchors.margins)
            wrapMode: Text.Wrap
            visible: text !== ""
            text: cell.sizeText
            color: Theme.textOnAccent
            font.bold: true
            padding: 4
            background: Rectangle { color: Theme.badge; radius: 4 }
        }
    }
}
