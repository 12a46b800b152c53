// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Qt.labs.folderlistmodel
import Quire

// Chooses one PDF: the folders and PDFs of a folder, a path bar with Up, and Cancel and Open.
// In its save mode it chooses where a copy goes instead: a name field (a name, or a path whose
// missing folders are made) and Save, or for several files just the folder.
// One line per detail at every window width; fills a phone-wide window, centred on a wider one.
Dialog {
    id: chooser
    // Where each opening starts, and the folder shown.
    property url startFolder
    property url folder
    // The PDF picked once Open (or a double click, or Enter) accepts.
    property url selectedFile
    property bool walked: false
    property bool saving: false
    // Saving one file: its name is asked for; several go into the folder as they are named.
    property bool naming: true
    property string fileName
    property var filters: ["*.pdf"]
    // The folder shown and the name typed, when Save is chosen.
    signal saveRequested(url folder, string name)
    readonly property bool phone: parent ? parent.width <= 500 : true
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: phone ? parent.width : Math.min(parent.width - 80, Theme.readableWidth)
    height: phone ? parent.height : Math.min(parent.height - 80, 720)
    modal: true
    focus: true
    title: qsTr("Open a PDF")
    padding: 0
    background: Rectangle { color: Theme.appWhiteColor; radius: chooser.phone ? 0 : Theme.radiusLarge }
    Overlay.modal: Rectangle { color: Theme.scrimCentre }
    onAboutToShow: {
        folder = startFolder
        selectedFile = ""
        walked = false
        nameField.text = fileName
        if (saving && naming) {
            nameField.forceActiveFocus()
            nameField.select(0, fileName.lastIndexOf(".") > 0 ? fileName.lastIndexOf(".") : fileName.length)
        } else {
            list.forceActiveFocus()
        }
    }

    function choose(index: int) {
        if (files.isFolder(index)) {
            folder = files.get(index, "fileUrl")
            selectedFile = ""
        } else if (saving) {
            nameField.text = files.get(index, "fileName")
        } else {
            selectedFile = files.get(index, "fileUrl")
        }
    }
    readonly property bool ready: saving ? !naming || nameField.text.trim() !== ""
                                         : String(selectedFile) !== ""
    function finish() {
        if (!ready)
            return
        if (saving) {
            close()
            saveRequested(folder, naming ? nameField.text.trim() : "")
        } else {
            accept()
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
                text: qsTr("‹ Up")
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
        TextField {
            id: nameField
            objectName: "chooserName"
            visible: chooser.saving && chooser.naming
            placeholderText: qsTr("Name")
            Accessible.name: qsTr("Name")
            selectByMouse: true
            Layout.fillWidth: true
            Layout.leftMargin: Theme.spacingLarge
            Layout.rightMargin: Theme.spacingLarge
            onAccepted: chooser.finish()
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
            nameFilters: chooser.filters
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
            onDoubleClicked: if (!fileIsDir) chooser.finish()
        }
        Keys.onReturnPressed: {
            const intoFolder = currentIndex >= 0 && files.isFolder(currentIndex)
            if (currentIndex >= 0)
                chooser.choose(currentIndex)
            if (!intoFolder)
                chooser.finish()
        }
        Label {
            anchors.centerIn: parent
            visible: list.count === 0 && files.status === FolderListModel.Ready
            text: chooser.saving ? qsTr("Nothing in this folder yet") : qsTr("No PDFs in this folder")
            color: Theme.hintText
        }
        ScrollIndicator.vertical: ScrollIndicator {}
    }

    footer: RowLayout {
        spacing: Theme.spacing
        Item { Layout.fillWidth: true }
        Button {
            text: qsTr("Cancel")
            Accessible.name: text
            flat: true
            onClicked: chooser.reject()
        }
        Button {
            objectName: "chooserAccept"
            text: chooser.saving ? qsTr("Save") : qsTr("Open")
            Accessible.name: text
            flat: true
            enabled: chooser.ready
            onClicked: chooser.finish()
            Layout.rightMargin: Theme.spacing
        }
    }
}
