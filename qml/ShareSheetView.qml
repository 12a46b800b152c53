// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The share sheet: what a screen offers, saved as a copy, copied or opened in its default app.
Drawer {
    id: sheet
    objectName: "shareSheet"
    edge: Qt.BottomEdge
    width: parent ? parent.width : 0
    onClosed: if (Share.showing) Share.close()
    // The keyboard starts on the first action.
    focus: true
    background: Rectangle {
        color: Theme.appWhiteColor
        radius: 14
        Rectangle { // square off the bottom corners
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: parent.radius
            color: parent.color
        }
    }
    Connections {
        target: Share
        function onChanged() { Share.showing ? sheet.open() : sheet.close() }
    }

    contentItem: ColumnLayout {
        spacing: 0
        Label {
            text: Share.itemCount === 1 ? Share.suggestedName : qsTr("%1 items").arg(Share.itemCount)
            font.bold: true
            elide: Text.ElideMiddle
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
            Layout.margins: Theme.spacingLarge
        }
        SheetAction {
            objectName: "shareSave"
            focus: true
            text: qsTr("Save a copy…")
            onClicked: saveChooser.open()
        }
        SheetAction {
            objectName: "shareCopy"
            text: qsTr("Copy")
            onClicked: Share.copy()
        }
        SheetAction {
            objectName: "shareOpen"
            text: qsTr("Open with the default app")
            onClicked: Share.openWithDefaultApp()
        }
        SheetAction {
            objectName: "shareCancel"
            text: qsTr("Cancel")
            Layout.bottomMargin: Theme.spacing
            onClicked: Share.close()
        }
    }

    PdfChooser {
        id: saveChooser
        objectName: "saveChooser"
        saving: true
        naming: Share.itemCount === 1
        title: naming ? qsTr("Save a copy") : qsTr("Save copies into a folder")
        startFolder: Share.saveFolder
        fileName: Share.suggestedName
        // The folder's files of the same kind show which names are taken.
        filters: naming && Share.suggestedName.indexOf(".") > 0
                 ? ["*" + Share.suggestedName.substring(Share.suggestedName.lastIndexOf("."))]
                 : ["*"]
        onSaveRequested: (folder, name) => Share.saveTo(folder, name)
    }
}
