// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The recognised text under the photo it came from, editable, with Copy and Share.
ScreenPage {
    id: page
    required property TextScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    rightAction: Action { text: qsTr("Home"); onTriggered: page.screen.btnHome() }

    ColumnLayout {
        // Wide windows keep the form at a readable width, centred.
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.margins: Theme.spacingLarge
        width: Math.min(parent.width - 2 * Theme.spacingLarge, Theme.readableWidth)
        spacing: Theme.spacingMedium

        Image {
            objectName: "ivImage"
            // A PDF's text comes without a photo.
            visible: String(page.screen.ivImage) !== ""
            Accessible.role: Accessible.Graphic
            Accessible.name: ImageNames.fileName(page.screen.ivImage) || page.title
            Layout.fillWidth: true
            Layout.preferredHeight: page.height * 0.3
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            sourceSize.width: width * Screen.devicePixelRatio
            sourceSize.height: height * Screen.devicePixelRatio
            source: page.screen.ivImage
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            radius: 8
            color: Theme.surface

            Flickable {
                anchors.fill: parent
                clip: true
                TextArea.flickable: TextArea {
                    id: tvText
                    objectName: "tvText"
                    Accessible.name: page.title
                    text: page.screen.tvText
                    // A photo without words says so rather than leave an empty box.
                    placeholderText: qsTr("No text found")
                    onTextChanged: if (page.screen) page.screen.tvText = text
                    wrapMode: TextEdit.Wrap
                    selectByMouse: true
                    padding: 12
                    color: Theme.appBlackColor
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
                ScrollBar.vertical: ScrollBar {}
            }
        }

        RowLayout {
            spacing: Theme.spacingMedium
            Layout.fillWidth: true
            ResultButton {
                objectName: "btnCopy"
                text: qsTr("Copy")
                filled: true
                onClicked: page.screen.btnCopy()
            }
            ResultButton {
                objectName: "btnShare"
                text: qsTr("Share")
                onClicked: page.screen.btnShare()
            }
        }
        ResultButton {
            objectName: "btnSaveSearchable"
            visible: page.screen.searchableVisible
            enabled: !page.screen.saving
            text: qsTr("Save searchable PDF")
            onClicked: page.screen.btnSaveSearchable()
        }
    }

    Connections {
        target: page.screen
        // Focus moves to the page, which takes no text input: the keyboard goes with it.
        function onEndEditing() {
            tvText.focus = false
            page.forceActiveFocus()
        }
    }
}
