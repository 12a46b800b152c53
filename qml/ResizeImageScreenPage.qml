// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Resize: the photo's size, the new width and height, and the keep-proportions switch.
ScreenPage {
    id: page
    required property ResizeImageScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    rightAction: Action { objectName: "btnReize"; text: qsTr("Resize"); onTriggered: page.screen.btnReize() }

    ColumnLayout {
        // Wide windows keep the form at a readable width, centred.
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.margins: Theme.spacingLarge
        width: Math.min(parent.width - 2 * Theme.spacingLarge, Theme.readableWidth)
        spacing: Theme.spacingMedium

        Image {
            objectName: "ivPhoto"
            Accessible.role: Accessible.Graphic
            Accessible.name: ImageNames.fileName(page.screen.selectedImageUrl)
            Layout.fillWidth: true
            Layout.preferredHeight: 220
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            sourceSize.width: width * 2
            sourceSize.height: height * 2
            source: page.screen.selectedImageUrl
        }
        Label {
            objectName: "lblImageOriginalSize"
            Layout.alignment: Qt.AlignHCenter
            text: page.screen.lblImageOriginalSize
            font.pointSize: Theme.fontLarge
            font.bold: true
            color: Theme.appBlackColor
        }
        TextField {
            id: tfImageWIdth
            objectName: "tfImageWIdth"
            Layout.fillWidth: true
            placeholderText: page.screen.widthPlaceholder
            Accessible.name: placeholderText
            placeholderTextColor: Theme.appBlackColor
            inputMethodHints: Qt.ImhDigitsOnly
            text: page.screen.tfImageWIdth
            onTextEdited: page.screen.textFieldEdited("tfImageWIdth", text)
            Accessible.description: page.screen.widthMessage
        }
        Label {
            objectName: "lblWidthMessage"
            visible: text !== ""
            text: page.screen.widthMessage
            wrapMode: Text.Wrap
            color: Theme.error
            Layout.fillWidth: true
        }
        TextField {
            id: tfImageheight
            objectName: "tfImageheight"
            Layout.fillWidth: true
            placeholderText: page.screen.heightPlaceholder
            Accessible.name: placeholderText
            placeholderTextColor: Theme.appBlackColor
            inputMethodHints: Qt.ImhDigitsOnly
            text: page.screen.tfImageheight
            onTextEdited: page.screen.textFieldEdited("tfImageheight", text)
            Accessible.description: page.screen.heightMessage
        }
        Label {
            objectName: "lblHeightMessage"
            visible: text !== ""
            text: page.screen.heightMessage
            wrapMode: Text.Wrap
            color: Theme.error
            Layout.fillWidth: true
        }
        ItemDelegate {
            objectName: "btnAspectRatio"
            // The picture is a tick box: heard as one.
            Accessible.role: Accessible.CheckBox
            Accessible.name: qsTr("Keep proportions")
            Accessible.checkable: true
            Accessible.checked: page.screen.isAspectRatioOn
            Layout.fillWidth: true
            onClicked: page.screen.btnAspectRatio()
            contentItem: RowLayout {
                spacing: 10
                Image {
                    objectName: "ivMaintainAspectRatio"
                    Accessible.ignored: true
                    Layout.preferredWidth: 28
                    Layout.preferredHeight: 28
                    sourceSize.width: 56
                    sourceSize.height: 56
                    source: Theme.asset(page.screen.ivMaintainAspectRatio)
                }
                Label { text: qsTr("Keep proportions"); color: Theme.appBlackColor; Layout.fillWidth: true }
            }
        }
        Label {
            objectName: "lblMsg"
            Layout.fillWidth: true
            text: page.screen.lblMsg
            wrapMode: Text.Wrap
            color: Theme.secondaryText
        }
        Item { Layout.fillHeight: true }
    }

    // The keyboard's accessory bar: Done puts the keyboard away.
    ToolBar {
        objectName: "keyboardToolbar"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 50
        visible: tfImageWIdth.activeFocus || tfImageheight.activeFocus
        RowLayout {
            anchors.fill: parent
            Item { Layout.fillWidth: true }
            ToolButton { objectName: "btnDone"; text: qsTr("Done"); Accessible.name: text; font.bold: true; onClicked: page.screen.doneButtonAction() }
        }
    }
    Connections {
        target: page.screen
        function onEndEditing() { tfImageWIdth.focus = false; tfImageheight.focus = false; page.forceActiveFocus() }
    }
}
