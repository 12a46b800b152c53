import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire.Services

// One image alone, fitted to the screen; Save and Share below.
ScreenPage {
    id: page
    leftAction: Action { text: "‹ Back"; onTriggered: page.screen.btnBack() }

    background: Rectangle { color: "#f2f2f2" }

    Image {
        id: ivImage
        objectName: "ivImage"
        anchors.fill: parent
        anchors.margins: 12
        source: page.screen && width > 0 ? page.screen.ivImage : ""
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        sourceSize: Qt.size(width * Screen.devicePixelRatio, height * Screen.devicePixelRatio)
    }

    footer: ToolBar {
        background: Rectangle { color: App.appWhiteColor }
        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 12
            anchors.rightMargin: 12
            ActionBarButton {
                objectName: "btnSave"
                text: "Save"
                onClicked: page.screen.btnSave()
            }
            Item { Layout.fillWidth: true }
            ActionBarButton {
                objectName: "btnShare"
                text: "Share"
                onClicked: page.screen.btnShare()
            }
        }
    }
}
