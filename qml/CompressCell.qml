import QtQuick
import QtQuick.Controls

// A square photo cell of the compression grids: the picture (`ivImage`) and its size (`lblSize`).
Rectangle {
    id: cell
    required property int index
    property url source
    property string sizeText
    signal clicked()
    color: "#eeeeee"
    radius: 8
    clip: true

    Image {
        objectName: "ivImage"
        anchors.fill: parent
        fillMode: Image.PreserveAspectCrop
        asynchronous: true
        sourceSize: Qt.size(cell.width * 2, cell.height * 2)
        source: cell.source
    }
    Rectangle {
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 6
        visible: lblSize.text.length > 0
        width: lblSize.implicitWidth + 12
        height: lblSize.implicitHeight + 6
        radius: height / 2
        color: "#b0000000"
        Label {
            id: lblSize
            objectName: "lblSize"
            anchors.centerIn: parent
            text: cell.sizeText
            color: "white"
            font.bold: true
        }
    }
    BusyIndicator {
        anchors.centerIn: parent
        width: 32
        height: 32
        running: cell.sizeText.length === 0
        visible: running
    }
    TapHandler { onTapped: cell.clicked() }
}
