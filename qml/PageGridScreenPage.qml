// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The pages of a PDF as a grid, two to a row on a phone: select, drag, turn, delete, add another
// PDF's pages, and Save. Keys: arrows walk, Space selects, Ctrl+arrows move the page, [ and ]
// turn, Delete deletes, Ctrl+A selects all, Ctrl+Z undoes.
ScreenPage {
    id: page
    required property PageGridScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.popScreen() }
    rightAction: Action {
        text: qsTr("Save")
        enabled: grid.count > 0
        onTriggered: page.screen.save()
    }

    GridView {
        id: grid
        objectName: "pageGrid"
        anchors.fill: parent
        anchors.leftMargin: Theme.spacingMedium
        anchors.rightMargin: Theme.spacingMedium
        topMargin: Theme.spacingMedium
        bottomMargin: Theme.spacingMedium
        clip: true
        focus: true
        keyNavigationEnabled: true
        cellWidth: width / page.screen.columns(width)
        cellHeight: cellWidth
        model: page.screen.pages
        Accessible.role: Accessible.List
        Accessible.name: page.title
        ScrollBar.vertical: ScrollBar {}
        delegate: PageGridCell {
            grid: grid
            screen: page.screen
        }
        function moveCurrent(by: int) {
            const to = currentIndex + by
            if (currentIndex < 0 || to < 0 || to >= count)
                return
            page.screen.move(currentIndex, to)
            currentIndex = to
        }
        Keys.onPressed: (event) => {
            const ctrl = event.modifiers & Qt.ControlModifier
            if (ctrl && (event.key === Qt.Key_Left || event.key === Qt.Key_Up))
                moveCurrent(event.key === Qt.Key_Left ? -1 : -page.screen.columns(width))
            else if (ctrl && (event.key === Qt.Key_Right || event.key === Qt.Key_Down))
                moveCurrent(event.key === Qt.Key_Right ? 1 : page.screen.columns(width))
            else if (event.key === Qt.Key_Space && currentIndex >= 0)
                page.screen.toggleSelected(currentIndex)
            else if (event.key === Qt.Key_Delete || event.key === Qt.Key_Backspace)
                page.screen.deleteSelected()
            else if (event.key === Qt.Key_BracketLeft || event.key === Qt.Key_BracketRight)
                page.screen.rotateSelected(event.key === Qt.Key_BracketLeft ? -90 : 90)
            else if (ctrl && event.key === Qt.Key_A)
                page.screen.selectAll()
            else if (ctrl && event.key === Qt.Key_Z)
                page.screen.undo()
            else
                return
            event.accepted = true
        }
    }

    footer: ToolBar {
        background: Rectangle { color: Theme.appWhiteColor }
        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: Theme.spacing
            anchors.rightMargin: Theme.spacing
            spacing: 0
            ActionBarButton {
                objectName: "btnRotateLeft"
                text: "↺"
                Accessible.name: qsTr("Turn left")
                ToolTip.text: Accessible.name
                ToolTip.visible: hovered
                enabled: page.screen.selectedCount > 0
                onClicked: page.screen.rotateSelected(-90)
            }
            ActionBarButton {
                objectName: "btnRotateRight"
                text: "↻"
                Accessible.name: qsTr("Turn right")
                ToolTip.text: Accessible.name
                ToolTip.visible: hovered
                enabled: page.screen.selectedCount > 0
                onClicked: page.screen.rotateSelected(90)
            }
            ActionBarButton {
                objectName: "btnDelete"
                text: qsTr("Delete")
                enabled: page.screen.selectedCount > 0
                onClicked: page.screen.deleteSelected()
            }
            Item { Layout.fillWidth: true }
            ActionBarButton {
                objectName: "btnUndo"
                text: qsTr("Undo")
                enabled: page.screen.canUndo
                onClicked: page.screen.undo()
            }
            ActionBarButton {
                objectName: "btnAppend"
                text: qsTr("Add PDF")
                onClicked: page.screen.btnAppend()
            }
        }
    }

    PdfChooser {
        id: documentPicker
        objectName: "documentPicker"
        onAccepted: page.screen.appendPdf(documentPicker.selectedFile)
    }
    PasswordDialog {
        prompt: page.screen.passwordPrompt
    }
    Connections {
        target: page.screen
        function onDocumentPickerRequested() {
            documentPicker.startFolder = page.screen.documentFolder
            documentPicker.open()
        }
    }
}
