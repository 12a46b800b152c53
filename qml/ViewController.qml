import QtQuick
import QtQuick.Controls
import Quire.Services

// Start screen: the app's name on white while the home screen gets ready.
ScreenPage {
    Column {
        anchors.centerIn: parent
        spacing: 16
        Image {
            source: "assets/icon.svg"
            sourceSize: Qt.size(120, 120)
            anchors.horizontalCenter: parent.horizontalCenter
        }
        Label {
            text: "Quire"
            font.family: App.titleFontFamily
            font.bold: true
            font.pointSize: 28
            color: App.appBlackColor
            anchors.horizontalCenter: parent.horizontalCenter
        }
    }
}
