// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import Quire

// One PDF, scrollable and zoomable, fitted to the width; share it or go home.
ScreenPage {
    id: page
    required property PDFPreviewScreen screen
    title: screen.title
    leftAction: Action {
        text: qsTr("‹ Back")
        enabled: page.screen.backEnabled
        onTriggered: page.screen.btnBack()
    }
    rightAction: Action { text: qsTr("Home"); onTriggered: page.screen.btnHome() }
    rightTint: Theme.appBlackColor

    PdfPages {
        id: pdfDocument
        objectName: "pdfDocument"
        source: page.screen.documentUrl
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Item {
            id: viewPDFViewer
            objectName: "viewPDFViewer"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true

            Rectangle {
                anchors.fill: parent
                color: Theme.surface
            }
            PdfPageList {
                id: pdfView
                objectName: "pdfView"
                Accessible.name: page.title
                anchors.fill: parent
                document: pdfDocument
            }
            Label {
                anchors.centerIn: parent
                visible: pdfDocument.status === PdfPages.Ready && pdfDocument.pageCount === 0
                text: qsTr("This PDF has no pages.")
                color: Theme.hintText
            }
        }

        ToolBar {
            Layout.fillWidth: true
            background: Rectangle { color: Theme.appWhiteColor }
            // Two buttons side by side: the bar takes its height from the larger one.
            contentHeight: Math.max(btnOrganise.implicitHeight, btnShare.implicitHeight)
            ActionBarButton {
                id: btnOrganise
                objectName: "btnOrganise"
                anchors.left: parent.left
                anchors.leftMargin: Theme.spacing
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Organise")
                enabled: pdfDocument.status === PdfPages.Ready && pdfDocument.pageCount > 0
                onClicked: page.screen.btnOrganise()
            }
            Button {
                id: btnShare
                objectName: "btnShare"
                anchors.centerIn: parent
                // Narrower on a small phone, clear of Organise on its left.
                width: Math.min(160, parent.width - 2 * (btnOrganise.width + Theme.spacingLarge))
                text: qsTr("Share")
                Accessible.name: text
                contentItem: Label {
                    text: btnShare.text
                    color: Theme.textOnAccent
                    font.bold: true
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                background: Rectangle {
                    implicitHeight: 40
                    radius: 20
                    color: btnShare.down ? Theme.accentPressed : Theme.appGreenColor
                }
                onClicked: page.screen.btnShare()
            }
        }
    }
    PasswordDialog {
        prompt: page.screen.passwordPrompt
    }
}
