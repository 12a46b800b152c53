// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Window
import Quire

// The pages of a PDF one under another, fitted to the width, zoomable. Pages are laid out from
// the document's page sizes and drawn by the PDF helper processes, off the GUI thread.
ListView {
    id: pdfView
    // The PdfPages to show.
    required property PdfPages document
    property real zoom: 1
    // Scaled to fit: at zoom 1 the widest page fills the width.
    readonly property real fitScale: pdfView.document.maxPageWidth > 0 ? (width - 16) / pdfView.document.maxPageWidth : 1
    readonly property real pageScale: fitScale * zoom
    function zoomTo(z) { zoom = Math.min(8, Math.max(1, z)) }
    spacing: Theme.spacing
    topMargin: Theme.spacing
    bottomMargin: Theme.spacing
    contentWidth: Math.max(width, pdfView.document.maxPageWidth * pageScale + 16)
    flickableDirection: Flickable.AutoFlickIfNeeded
    boundsBehavior: Flickable.StopAtBounds
    model: pdfView.document.status === PdfPages.Ready ? pdfView.document.pageCount : 0
    Accessible.role: Accessible.List
    ScrollBar.vertical: ScrollBar {}
    ScrollBar.horizontal: ScrollBar {}

    delegate: Item {
        id: pageSlot
        required property int index
        readonly property size points: pdfView.document.pagePointSize(index)
        width: pdfView.contentWidth
        height: Math.round(points.height * pdfView.pageScale)
        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.round(pageSlot.points.width * pdfView.pageScale)
            height: parent.height
            color: Theme.paper
            Accessible.role: Accessible.Graphic
            Accessible.name: qsTr("Page %1").arg(pageSlot.index + 1)
            Image {
                objectName: "pdfPage"
                Accessible.ignored: true
                anchors.fill: parent
                asynchronous: true
                cache: false
                source: pdfView.document.pageUrl(pageSlot.index)
                sourceSize.width: width * Screen.devicePixelRatio
                sourceSize.height: height * Screen.devicePixelRatio
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
