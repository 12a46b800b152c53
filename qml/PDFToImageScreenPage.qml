// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// PDF to images: the chosen PDF, scaled to fit, the resolution and pages to convert below it,
// and Convert in the bar.
ScreenPage {
    id: page
    required property PDFToImageScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    rightAction: Action { text: qsTr("Convert"); onTriggered: page.screen.btnConvert() }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0
        Item {
            id: pdfViewer
            objectName: "PDFViewer"
            Layout.fillWidth: true
            Layout.fillHeight: true

            // Grey around the white pages, so each page's edge shows.
            Rectangle {
                anchors.fill: parent
                color: Theme.surface
            }
            // Opened once the path is handed over, and for a protected PDF its password given.
            PdfPages { id: document; source: page.screen ? page.screen.documentUrl : "" }
            PdfPageList {
                id: pdfView
                objectName: "pdfView"
                Accessible.name: page.title
                anchors.fill: parent
                visible: document.status === PdfPages.Ready
                document: document
            }
            // Said at once, not only when Convert is tapped.
            Label {
                objectName: "pdfUnreadable"
                anchors.centerIn: parent
                width: Math.min(parent.width - 2 * Theme.spacingLarge, Theme.readableWidth)
                visible: document.status === PdfPages.Error
                text: qsTr("The PDF could not be opened. It may be damaged, or protected by a password.")
                color: Theme.text
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }
        }
        ImageOptionsPane {
            Layout.fillWidth: true
            screen: page.screen
            pageCount: document.status === PdfPages.Ready ? document.pageCount : 0
        }
    }
    PasswordDialog {
        prompt: page.screen.passwordPrompt
    }
}
