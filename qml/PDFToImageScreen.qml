import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Pdf
import Quire

// PDF to images: the chosen PDF, scaled to fit, the resolution and pages to convert below it,
// and Convert in the bar.
ScreenPage {
    id: page
    leftAction: Action { text: "‹ Back"; onTriggered: page.screen.btnBack() }
    rightAction: Action { text: "Convert"; onTriggered: page.screen.btnConvert() }

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
        // Opened once the page is complete; the path is handed over before the screen shows.
        PdfDocument { id: document }
        Component.onCompleted: if (page.screen) document.source = page.screen.documentUrl
        PdfMultiPageView {
            id: pdfView
            objectName: "pdfView"
            anchors.fill: parent
            // Each page sits in the middle of a column that also holds the scroll bar: move the
            // view left by half of that, so pages are centred in the window.
            anchors.leftMargin: -11
            anchors.rightMargin: 11
            visible: document.status === PdfDocument.Ready
            document: document
            // Scaled to fit, with a margin, once the document is there and when the view resizes.
            function fit() {
                if (document.status === PdfDocument.Ready && width > 0)
                    scaleToWidth(width - 40, height)
            }
            onWidthChanged: fit()
            Connections {
                target: document
                function onStatusChanged() { pdfView.fit() }
            }
            Component.onCompleted: fit()
        }
    }
    ImageOptionsPane {
        Layout.fillWidth: true
        screen: page.screen
        pageCount: document.status === PdfDocument.Ready ? document.pageCount : 0
    }
    }
}
