// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The compressed PDF: its size before and after, its pages, and Open, Share and Home.
ScreenPage {
    id: page
    required property CompressPDFPreviewScreen screen
    title: screen.title

    ColumnLayout {
        anchors.fill: parent
        spacing: 0
        ColumnLayout {
            Layout.margins: Theme.spacingLarge
            Layout.alignment: Qt.AlignHCenter
            Layout.maximumWidth: Theme.readableWidth
            spacing: Theme.spacingSmall
            Label {
                objectName: "lblSizes"
                text: page.screen.sizesText
                color: Theme.text
                font.pointSize: Theme.fontDisplay
                font.bold: true
                Layout.alignment: Qt.AlignHCenter
            }
            Label {
                objectName: "lblDetail"
                text: page.screen.detailText
                color: Theme.secondaryText
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                Layout.fillWidth: true
            }
        }
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
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.margins: Theme.spacingLarge
            spacing: Theme.spacingMedium
            JobButton { objectName: "btnOpen"; text: qsTr("Open"); glyph: "▤"; onClicked: page.screen.btnOpen() }
            JobButton { objectName: "btnShare"; text: qsTr("Share"); glyph: "⇪"; onClicked: page.screen.btnShare() }
            JobButton { objectName: "btnHome"; text: qsTr("Home"); glyph: "⌂"; onClicked: page.screen.btnHome() }
        }
    }
}
