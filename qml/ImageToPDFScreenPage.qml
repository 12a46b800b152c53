// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The pages to be, two to a row on a phone, in the order they will have: drag a page, or use its arrows, to
// move it; ✕ leaves it out. Below, the paper and the text layer; Convert writes the PDF.
ScreenPage {
    id: page
    required property ImageToPDFScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    rightAction: Action {
        text: qsTr("Convert")
        enabled: page.screen.canConvert
        onTriggered: page.screen.btnConvert()
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        GridView {
            id: collectionviewImagePDFPreview
            objectName: "collectionviewImagePDFPreview"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.leftMargin: Theme.spacingMedium
            Layout.rightMargin: Theme.spacingMedium
            topMargin: Theme.spacingMedium
            bottomMargin: Theme.spacingMedium
            clip: true
            readonly property real side: page.screen.itemSide(width)
            // Two cells a row on a phone, more on a wider window; what the item side leaves over
            // is the space between them.
            cellWidth: width / page.screen.columns(width)
            cellHeight: side + 18
            model: page.screen.pageImages
            delegate: PageCell {
                grid: collectionviewImagePDFPreview
                side: collectionviewImagePDFPreview.side
                screen: page.screen
            }
        }

        PdfOptionsPane {
            Layout.fillWidth: true
            screen: page.screen
        }
    }
}
