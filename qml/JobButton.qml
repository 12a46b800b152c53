import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire.Services

// One of the home screen's job buttons: a glyph over a label on a green tile.
Button {
    id: control
    property string glyph
    Layout.fillWidth: true
    Layout.preferredHeight: 76
    contentItem: Column {
        spacing: 4
        Label {
            text: control.glyph
            color: "white"
            font.pixelSize: 24
            anchors.horizontalCenter: parent.horizontalCenter
        }
        Label {
            text: control.text
            color: "white"
            font.bold: true
            anchors.horizontalCenter: parent.horizontalCenter
        }
    }
    background: Rectangle {
        radius: 12
        color: control.down ? Qt.darker(App.appGreenColor, 1.2) : App.appGreenColor
    }
}
