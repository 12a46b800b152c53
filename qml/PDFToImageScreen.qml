import QtQuick
import QtQuick.Controls
import Quire
import Quire.Services

// PDF to images: the chosen PDF, scaled to fit, with Convert in the bar.
ScreenPage {
    id: page
    leftAction: Action { text: "‹ Back"; onTriggered: page.screen.btnBack() }
    rightAction: Action { text: "Convert"; onTriggered: page.screen.btnConvert() }

    Item {
        id: pdfViewer
        objectName: "PDFViewer"
        anchors.fill: parent

        // Grey around the white pages, so each page's edge shows.
        Rectangle {
            anchors.fill: parent
            color: Theme.surface
        }
        // Opened once the page is complete; the path is handed over before the screen shows.
        PdfPages { id: document }
        Component.onCompleted: if (page.screen) document.source = page.screen.documentUrl
        PdfPageList {
            id: pdfView
            objectName: "pdfView"
            anchors.fill: parent
            visible: document.status === PdfPages.Ready
            document: document
        }
    }
}
