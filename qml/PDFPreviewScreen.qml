import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Pdf
import Quire.Services

// One PDF, scrollable and zoomable, fitted to the width; share it or go home.
ScreenPage {
    id: page
    leftAction: Action {
        text: "‹ Back"
        enabled: page.screen ? page.screen.backEnabled : false
        onTriggered: page.screen.btnBack()
    }
    rightAction: Action { text: "Home"; onTriggered: page.screen.btnHome() }
    rightTint: App.appBlackColor

    PdfDocument {
        id: pdfDocument
        objectName: "pdfDocument"
        source: page.screen ? page.screen.documentUrl : ""
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
                color: "#e8e8e8"
            }
            PdfMultiPageView {
                id: pdfView
                objectName: "pdfView"
                anchors.fill: parent
                document: pdfDocument
                visible: pdfDocument.status === PdfDocument.Ready
                property bool fitted: false
                // Scaled to fit: the widest page fills the width, leaving room for the scroll bar.
                function fit() {
                    if (!fitted && pdfDocument.status === PdfDocument.Ready && pdfDocument.pageCount > 0 && width > 0) {
                        renderScale = Math.max(0.1, (width - 40) / pdfDocument.maxPageWidth)
                        fitted = true
                    }
                }
                onWidthChanged: fit()
                Connections {
                    target: pdfDocument
                    function onStatusChanged() { pdfView.fit() }
                }
                Component.onCompleted: fit()
            }
            Label {
                anchors.centerIn: parent
                visible: pdfDocument.status === PdfDocument.Ready && pdfDocument.pageCount === 0
                text: "This PDF has no pages."
                color: "#888"
            }
        }

        ToolBar {
            Layout.fillWidth: true
            background: Rectangle { color: App.appWhiteColor }
            Button {
                id: btnShare
                objectName: "btnShare"
                anchors.centerIn: parent
                width: 160
                text: "Share"
                contentItem: Label {
                    text: btnShare.text
                    color: "white"
                    font.bold: true
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                background: Rectangle {
                    implicitHeight: 40
                    radius: 20
                    color: btnShare.down ? Qt.darker(App.appGreenColor, 1.2) : App.appGreenColor
                }
                onClicked: page.screen.btnShare()
            }
        }
    }
}
