// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Qt.labs.folderlistmodel
import Quire

// Chooses one PDF: the folders and PDFs of a folder, a path bar with Up, and Cancel and Open.
// One line per detail at every window width; fills a phone-wide window, centred on a wider one.
Dialog {
    id: chooser
    // Where each opening starts, and the folder shown.
    property url startFolder
    property url folder
    // The PDF picked once Open (or a double click, or Enter) accepts.
    property url selectedFile
    property bool walked: false
    readonly property bool phone: parent ? parent.width <= 500 : true
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: phone ? parent.width : Math.min(parent.width - 80, Theme.readableWidth)
    height: phone ? parent.height : Math.min(parent.height - 80, 720)
    modal: true
    focus: true
    title: "Open a PDF"
    padding: 0
    background: Rectangle { color: Theme.appWhiteColor; radius: chooser.phone ? 0 : Theme.radiusLarge }
    Overlay.modal: Rectangle { color: Theme.scrimCentre }
    onAboutToShow: {
        folder = startFolder
        selectedFile = ""
        walked = false
        list.forceActiveFocus()
    }

    function choose(index: int) {
        if (files.isFolder(index)) {
            folder = files.get(index, "fileUrl")
            selectedFile = ""
        } else {
            selectedFile = files.get(index, "fileUrl")
        }
    }

    header: ColumnLayout {
        spacing: 0
        Label {
            text: chooser.title
            color: Theme.text
            font.bold: true
            font.pixelSize: Theme.fontTitlePixels
            Layout.margins: Theme.spacingLarge
            Layout.bottomMargin: 0
        }
        RowLayout {
            spacing: Theme.spacing
            Layout.fillWidth: true
            ToolButton {
                text: "‹ Up"
                Accessible.name: text
                enabled: String(chooser.folder) !== "file:///"
                onClicked: { chooser.folder = files.parentFolder; chooser.selectedFile = "" }
            }
            Label {
                objectName: "chooserFolder"
                text: decodeURIComponent(String(chooser.folder).replace(/^file:\/\//, ""))
                color: Theme.secondaryText
                elide: Text.ElideLeft
                Layout.fillWidth: true
                Layout.rightMargin: Theme.spacingLarge
            }
        }
    }

    ListView {
        id: list
        objectName: "chooserList"
        anchors.fill: parent
        clip: true
        keyNavigationEnabled: true
        // Once the arrows are used, the row they are on shows.
        Keys.onPressed: (event) => { chooser.walked = true; event.accepted = false }
        Accessible.role: Accessible.List
        Accessible.name: chooser.title
        model: FolderListModel {
            id: files
            folder: chooser.folder
            nameFilters: ["*.pdf"]
            caseSensitive: false
            showDirsFirst: true
            sortCaseSensitive: false
        }
        delegate: PdfFileRow {
            required property int index
            required property url fileUrl
            width: ListView.view.width
            highlighted: String(fileUrl) === String(chooser.selectedFile)
                         || (chooser.walked && ListView.isCurrentItem)
            onClicked: { list.currentIndex = index; chooser.choose(index) }
            onDoubleClicked: if (!fileIsDir) chooser.accept()
        }
        Keys.onReturnPressed: {
            chooser.choose(currentIndex)
            if (String(chooser.selectedFile) !== "")
                chooser.accept()
        }
        Label {
            anchors.centerIn: parent
            visible: list.count === 0 && files.status === FolderListModel.Ready
            text: "No PDFs in this folder"
            color: Theme.hintText
        }
        ScrollIndicator.vertical: ScrollIndicator {}
    }

    footer: RowLayout {
        spacing: Theme.spacing
        Item { Layout.fillWidth: true }
        Button {
            text: "Cancel"
            Accessible.name: text
            flat: true
            onClicked: chooser.reject()
        }
        Button {
            text: "Open"
            Accessible.name: text
            flat: true
            enabled: String(chooser.selectedFile) !== ""
            onClicked: chooser.accept()
            Layout.rightMargin: Theme.spacing
        }
    }
}
