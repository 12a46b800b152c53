import QtQuick
import QtQuick.Controls
import Quire.Services

// Extract text: the chosen photo, with Extract in the bar.
ScreenPage {
    id: page
    leftAction: Action { text: "‹ Back"; onTriggered: page.screen.btnBack() }
    rightAction: Action {
        objectName: "btnExtract"
        text: "Extract"
        enabled: page.screen !== null && !page.screen.extracting
        onTriggered: page.screen.btnExtract()
    }

    Image {
        id: ivImage
        objectName: "ivImage"
        anchors.fill: parent
        anchors.margins: 16
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        sourceSize: Qt.size(width * Screen.devicePixelRatio, height * Screen.devicePixelRatio)
        source: page.screen ? page.screen.ivImage : ""
    }

    Label {
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottomMargin: 24
        text: "Tap Extract to read the text in this photo."
        color: "#888"
    }
}
