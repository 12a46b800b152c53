// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Compress a PDF: its pages, scaled to fit, the options below them, and Compress in the bar.
ScreenPage {
    id: page
    required property CompressPDFScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    rightAction: Action { objectName: "btnCompress"; text: qsTr("Compress"); onTriggered: page.screen.btnCompress() }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0
        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            Rectangle { anchors.fill: parent; color: Theme.surface }
            PdfPages { id: document; source: page.screen.documentUrl }
            PdfPageList {
                objectName: "pdfView"
                Accessible.name: page.title
                anchors.fill: parent
                visible: document.status === PdfPages.Ready
                document: document
            }
            Label {
                anchors.centerIn: parent
                width: Math.min(parent.width - 2 * Theme.spacingLarge, Theme.readableWidth)
                visible: document.status === PdfPages.Error
                text: qsTr("The PDF could not be opened. It may be damaged.")
                color: Theme.text
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }
        }
        PdfCompressOptions {
            Layout.fillWidth: true
            screen: page.screen
            pageCount: document.status === PdfPages.Ready ? document.pageCount : 0
        }
    }
    PasswordDialog {
        prompt: page.screen.passwordPrompt
    }
}
