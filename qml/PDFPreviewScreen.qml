import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Pdf
import QtQuick.Window
import Quire

// One PDF, scrollable and zoomable, fitted to the width; share it or go home.
ScreenPage {
    id: page
    leftAction: Action {
        text: "‹ Back"
        enabled: page.screen ? page.screen.backEnabled : false
        onTriggered: page.screen.btnBack()
    }
    rightAction: Action { text: "Home"; onTriggered: page.screen.btnHome() }
    rightTint: Theme.appBlackColor

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
                color: Theme.surface
            }
            // Pages are laid out from the document's page sizes and drawn by the image reader
            // off the GUI thread, each from the file itself: nothing it renders refers to the
            // document object, which goes with this page.
            ListView {
                id: pdfView
                objectName: "pdfView"
                readonly property var document: pdfDocument
                property real zoom: 1
                // Scaled to fit: at zoom 1 the widest page fills the width.
                readonly property real fitScale: pdfDocument.maxPageWidth > 0 ? (width - 16) / pdfDocument.maxPageWidth : 1
                readonly property real pageScale: fitScale * zoom
                function zoomTo(z) { zoom = Math.min(8, Math.max(1, z)) }
                anchors.fill: parent
                spacing: Theme.spacing
                topMargin: Theme.spacing
                bottomMargin: Theme.spacing
                contentWidth: Math.max(width, pdfDocument.maxPageWidth * pageScale + 16)
                flickableDirection: Flickable.AutoFlickIfNeeded
                boundsBehavior: Flickable.StopAtBounds
                model: pdfDocument.status === PdfDocument.Ready ? pdfDocument.pageCount : 0
                ScrollBar.vertical: ScrollBar {}
                ScrollBar.horizontal: ScrollBar {}

                delegate: Item {
                    id: pageSlot
                    required property int index
                    readonly property size points: pdfDocument.pagePointSize(index)
                    width: pdfView.contentWidth
                    height: Math.round(points.height * pdfView.pageScale)
                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        width: Math.round(pageSlot.points.width * pdfView.pageScale)
                        height: parent.height
                        color: Theme.paper
                        Image {
                            objectName: "pdfPage"
                            anchors.fill: parent
                            asynchronous: true
                            cache: false
                            source: page.screen ? page.screen.documentUrl : ""
                            currentFrame: pageSlot.index
                            sourceSize: Qt.size(width * Screen.devicePixelRatio, height * Screen.devicePixelRatio)
                        }
                    }
                }

                PinchHandler {
                    target: null
                    property real startZoom: 1
                    onActiveChanged: if (active) startZoom = pdfView.zoom
                    onActiveScaleChanged: if (active) pdfView.zoomTo(startZoom * activeScale)
                }
                WheelHandler {
                    acceptedModifiers: Qt.ControlModifier
                    onWheel: (event) => pdfView.zoomTo(pdfView.zoom * (event.angleDelta.y > 0 ? 1.15 : 1 / 1.15))
                }
            }
            Label {
                anchors.centerIn: parent
                visible: pdfDocument.status === PdfDocument.Ready && pdfDocument.pageCount === 0
                text: "This PDF has no pages."
                color: Theme.hintText
            }
        }

        ToolBar {
            Layout.fillWidth: true
            background: Rectangle { color: Theme.appWhiteColor }
            Button {
                id: btnShare
                objectName: "btnShare"
                anchors.centerIn: parent
                width: 160
                text: "Share"
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
}
