import QtCore
import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts
import Quire

// The share sheet: what a screen offers, saved as a copy, copied or opened in its default app.
Drawer {
    id: sheet
    objectName: "shareSheet"
    edge: Qt.BottomEdge
    width: parent ? parent.width : 0
    onClosed: if (Share.showing) Share.close()
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
            text: Share.itemCount === 1 ? Share.suggestedName : Share.itemCount + " items"
            font.bold: true
            elide: Text.ElideMiddle
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
            Layout.margins: Theme.spacingLarge
        }
        ItemDelegate {
            objectName: "shareSave"
            text: "Save a copy…"
            Accessible.name: text
            Layout.fillWidth: true
            onClicked: Share.itemCount === 1 ? saveDialog.open() : folderDialog.open()
        }
        ItemDelegate {
            objectName: "shareCopy"
            text: "Copy"
            Accessible.name: text
            Layout.fillWidth: true
            onClicked: Share.copy()
        }
        ItemDelegate {
            objectName: "shareOpen"
            text: "Open with the default app"
            Accessible.name: text
            Layout.fillWidth: true
            onClicked: Share.openWithDefaultApp()
        }
        ItemDelegate {
            objectName: "shareCancel"
            text: "Cancel"
            Accessible.name: text
            Layout.fillWidth: true
            Layout.bottomMargin: Theme.spacing
            onClicked: Share.close()
        }
    }

    FileDialog {
        id: saveDialog
        fileMode: FileDialog.SaveFile
        acceptLabel: "Save"
        currentFolder: StandardPaths.writableLocation(StandardPaths.DocumentsLocation)
        selectedFile: currentFolder + "/" + Share.suggestedName
        onAccepted: Share.saveCopy(selectedFile)
    }
    FolderDialog {
        id: folderDialog
        currentFolder: StandardPaths.writableLocation(StandardPaths.DocumentsLocation)
        onAccepted: Share.saveCopy(selectedFolder)
    }
}
