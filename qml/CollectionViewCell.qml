import QtQuick
import QtQuick.Controls
import Quire

// A square photo cell of every photo grid: the picture, a tick mark, and a size text.
Rectangle {
    id: cell
    property url imageUrl
    property bool showsTick: false
    property bool ticked: false
    property string sizeText: ""
    property int thumbnailSize: 300
    // Shows a spinner while the size text is still being worked out.
    property bool sizePending: false
    signal clicked()
    color: Theme.surface
    clip: true

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
            sourceSize: Qt.size(width, height)
            visible: ivImage.status !== Image.Ready
        }
        Image {
            id: ivImage
            objectName: "ivImage"
            anchors.fill: parent
            fillMode: Image.PreserveAspectCrop
            asynchronous: true
            sourceSize: Qt.size(cell.thumbnailSize, cell.thumbnailSize)
            source: cell.imageUrl
        }
        Image {
            id: ivSelect
            objectName: "ivSelect"
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.margins: Theme.spacing
            width: 28
            height: 28
            sourceSize: Qt.size(56, 56)
            visible: cell.showsTick
            source: cell.ticked ? Theme.selectImage : Theme.unselectImage
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
            visible: text !== ""
            text: cell.sizeText
            color: Theme.textOnAccent
            font.bold: true
            padding: 4
            background: Rectangle { color: Theme.badge; radius: 4 }
        }
    }
}
