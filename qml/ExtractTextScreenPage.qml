// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Extract text: the chosen photo, with Extract in the bar.
ScreenPage {
    id: page
    required property ExtractTextScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    rightAction: Action {
        objectName: "btnExtract"
        text: qsTr("Extract")
        enabled: page.screen !== null && !page.screen.extracting
        onTriggered: page.screen.btnExtract()
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: Theme.spacingLarge
        spacing: Theme.spacingLarge

        // A PDF's pages are read instead of a photo: its name, and whether typed pages are read too.
        Label {
            objectName: "lblPdf"
            visible: page.screen.pdfFilePath !== ""
            text: page.screen.pdfFilePath.substring(page.screen.pdfFilePath.lastIndexOf("/") + 1)
            color: Theme.text
            font.bold: true
            elide: Text.ElideMiddle
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            Layout.fillWidth: true
            Layout.fillHeight: true
        }
        Switch {
            objectName: "swForceOcr"
            visible: page.screen.pdfFilePath !== ""
            text: qsTr("Read pages that have text too")
            Accessible.name: text
            checked: page.screen.forceOcr
            onToggled: page.screen.forceOcr = checked
            Layout.alignment: Qt.AlignHCenter
        }
        Image {
            objectName: "ivImage"
            visible: page.screen.pdfFilePath === ""
            Accessible.role: Accessible.Graphic
            Accessible.name: ImageNames.fileName(page.screen.ivImage) || page.title
            Layout.fillWidth: true
            Layout.fillHeight: true
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            sourceSize.width: width * Screen.devicePixelRatio
            sourceSize.height: height * Screen.devicePixelRatio
            source: page.screen.ivImage
        }
        Label {
            Layout.alignment: Qt.AlignHCenter
            text: page.screen.pdfFilePath === "" ? qsTr("Click Extract to read the text in this photo.")
                                                 : qsTr("Click Extract to read the text of every page.")
            color: Theme.hintText
        }
    }
    PasswordDialog {
        prompt: page.screen.passwordPrompt
    }
}
