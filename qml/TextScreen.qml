import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Controls.Material
import Quire.Services

// The recognised text under the photo it came from, editable, with Copy and Share.
ScreenPage {
    id: page
    leftAction: Action { text: "‹ Back"; onTriggered: page.screen.btnBack() }
    rightAction: Action { text: "Home"; onTriggered: page.screen.btnHome() }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 12

        Image {
            objectName: "ivImage"
            Layout.fillWidth: true
            Layout.preferredHeight: page.height * 0.3
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            sourceSize: Qt.size(width * Screen.devicePixelRatio, height * Screen.devicePixelRatio)
            source: page.screen ? page.screen.ivImage : ""
        }

        ScrollView {
            Layout.fillWidth: true
            Layout.fillHeight: true
            background: Rectangle { radius: 8; color: "#f2f2f4" }
            TextArea {
                id: tvText
                objectName: "tvText"
                text: page.screen ? page.screen.tvText : ""
                onTextChanged: if (page.screen) page.screen.tvText = text
                wrapMode: TextEdit.Wrap
                selectByMouse: true
                placeholderText: "No text was found in this photo."
                color: App.appBlackColor
                background: null
                Keys.onPressed: (event) => {
                    if (event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
                        return
                    event.accepted = true
                    if (!page.screen.textViewShouldChangeText("\n"))
                        return
                    if (tvText.selectedText.length > 0)
                        tvText.remove(tvText.selectionStart, tvText.selectionEnd)
                    tvText.insert(tvText.cursorPosition, "\n")
                }
            }
        }

        RowLayout {
            spacing: 12
            Layout.fillWidth: true
            Button {
                objectName: "btnCopy"
                text: "Copy"
                Layout.fillWidth: true
                highlighted: true
                Material.accent: App.appGreenColor
                onClicked: page.screen.btnCopy()
            }
            Button {
                objectName: "btnShare"
                text: "Share"
                Layout.fillWidth: true
                onClicked: page.screen.btnShare()
            }
        }
    }

    Connections {
        target: page.screen
        function onEndEditing() {
            tvText.focus = false
            page.forceActiveFocus()
            Qt.inputMethod.hide()
        }
    }
}
