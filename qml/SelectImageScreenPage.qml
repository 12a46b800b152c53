// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quire

// The photo picker: two columns of the library, newest first; ticks or one tap choose.
ScreenPage {
    id: page
    required property SelectImageScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    // The one-photo jobs choose with a tap: no Done button at all.
    rightAction: page.screen && page.screen.doneVisible ? done : null
    Action {
        id: done
        text: qsTr("Done")
        enabled: page.screen.doneEnabled
        onTriggered: page.screen.btnDone()
    }

    GridView {
        id: collectionviewImages
        objectName: "collectionviewImages"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: choosePdf.visible ? choosePdf.top : parent.bottom
        // 12 points left, between and right: 36 in all, as the item size assumes.
        leftMargin: Theme.spacingMedium
        topMargin: Theme.spacingMedium
        bottomMargin: Theme.spacingMedium
        readonly property real side: page.screen.itemSide(width)
        cellWidth: side + 12
        cellHeight: side + 12
        clip: true
        cacheBuffer: cellHeight * 2
        // Arrows walk the photos, Space ticks (or, for the one-photo jobs, takes) the current one.
        focus: true
        activeFocusOnTab: true
        keyNavigationEnabled: true
        Keys.onSpacePressed: page.screen.didSelectItem(currentIndex)
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Photos")
        model: page.screen.collectionviewImages
        delegate: CollectionViewCell {
            objectName: "CollectionViewCellImages"
            required property int index
            required property url thumbnail
            required ticked
            required showsTick
            required name
            width: collectionviewImages.side
            height: collectionviewImages.side
            imageUrl: thumbnail
            onClicked: page.screen.didSelectItem(index)
        }
        ScrollIndicator.vertical: ScrollIndicator {}
    }

    BusyIndicator {
        anchors.centerIn: parent
        running: page.screen.loading
        visible: running
    }

    Label {
        id: lblMsg
        objectName: "lblMsg"
        anchors.centerIn: parent
        width: parent.width - 48
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        visible: !page.screen.lblMsgHidden
        text: qsTr("No photos found.\nAdd pictures to your Pictures folder to use them here.")
        color: Theme.hintText
        font.pointSize: Theme.fontHeading
    }

    // Compress and Extract Text take a PDF too: beside the photos, the document picker.
    Button {
        id: choosePdf
        objectName: "btnChoosePdf"
        visible: page.screen.acceptsPdf
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: Theme.spacingMedium
        text: qsTr("Choose PDF")
        Accessible.name: text
        onClicked: documentPicker.open()
    }
    PdfChooser {
        id: documentPicker
        objectName: "documentPicker"
        startFolder: page.screen.documentFolder
        onAccepted: page.screen.didPickDocument(documentPicker.selectedFile)
    }
}
