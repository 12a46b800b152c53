// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Home: the five jobs, settings, and the files written this run.
ScreenPage {
    id: page
    required property HomeScreen screen
    title: screen.title
    hidesBackButton: true
    rightAction: Action { text: qsTr("Settings"); onTriggered: page.screen.btnSetting() }
    rightTint: Theme.appBlackColor

    ColumnLayout {
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.margins: Theme.spacingLarge
        width: Math.min(parent.width - 2 * Theme.spacingLarge, 960)
        spacing: Theme.spacingMedium

        GridLayout {
            id: jobs
            // Five buttons of at least 150 points side by side when the window is that wide.
            columns: width >= 5 * 150 + 4 * columnSpacing ? 5 : 2
            columnSpacing: Theme.spacingMedium
            rowSpacing: Theme.spacingMedium
            Layout.fillWidth: true
            JobButton { objectName: "btnImageToPDF"; text: qsTr("Images to PDF"); glyph: "▤"; onClicked: page.screen.btnImageToPDF() }
            JobButton { objectName: "btnPDFToImage"; text: qsTr("PDF to Images"); glyph: "▦"; onClicked: page.screen.btnPDFToImage() }
            JobButton { objectName: "btnCompressImage"; text: qsTr("Compress"); glyph: "⇲"; onClicked: page.screen.btnCompressImage() }
            JobButton { objectName: "btnResizeImage"; text: qsTr("Resize"); glyph: "⤢"; onClicked: page.screen.btnResizeImage() }
            JobButton { objectName: "btnExtractText"; text: qsTr("Extract Text"); glyph: "T"; onClicked: page.screen.btnExtractText(); Layout.columnSpan: jobs.columns === 5 ? 1 : 2 }
        }

        RowLayout {
            Layout.fillWidth: true
            Label {
                text: qsTr("History")
                font.bold: true
                font.pointSize: Theme.fontHeading
                color: Theme.appBlackColor
                Layout.fillWidth: true
            }
            ActionBarButton {
                objectName: "btnClearList"
                text: qsTr("Clear list")
                Accessible.description: qsTr("The files stay in the History folder")
                visible: tableviewRecent.count > 0
                onClicked: page.screen.btnClearList()
            }
        }

        ListView {
            id: tableviewRecent
            objectName: "tableviewRecent"
            Accessible.role: Accessible.List
            Accessible.name: qsTr("History")
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            // Tab reaches the rows; arrows walk them and Enter opens one.
            activeFocusOnTab: true
            keyNavigationEnabled: true
            // The keyboard arrives on the first row when none is current yet.
            onActiveFocusChanged: if (activeFocus && currentIndex < 0 && count > 0) currentIndex = 0
            Keys.onReturnPressed: if (currentIndex >= 0) page.screen.didSelectRow(currentIndex)
            Keys.onEnterPressed: if (currentIndex >= 0) page.screen.didSelectRow(currentIndex)
            model: page.screen.tableviewRecent
            // A wheel notch moves three rows, as lists elsewhere on the desktop do; a touchpad
            // keeps its own smooth scrolling.
            WheelHandler {
                target: null
                acceptedDevices: PointerDevice.Mouse
                onWheel: (event) => {
                    const list = tableviewRecent
                    const most = Math.max(list.originY, list.originY + list.contentHeight - list.height)
                    list.contentY = Math.max(list.originY, Math.min(most,
                        list.contentY - event.angleDelta.y / 120 * 3 * 80))
                }
            }
            delegate: TableViewCell {
                objectName: "TableViewCellHistory"
                width: ListView.view.width
                highlighted: ListView.isCurrentItem && ListView.view.activeFocus
                onClicked: page.screen.didSelectRow(index)
            }
            Label {
                anchors.centerIn: parent
                visible: tableviewRecent.count === 0
                text: qsTr("Files you make appear here.")
                color: Theme.hintText
            }
        }
    }

    PdfChooser {
        id: documentPicker
        objectName: "documentPicker"
        // Documents at first, then the folder of the last PDF chosen, also in later runs.
        startFolder: page.screen.documentFolder
        onAccepted: page.screen.didPickDocument(documentPicker.selectedFile)
    }
    Connections {
        target: page.screen
        // Read again at each opening: the folder last used may have changed since.
        function onDocumentPickerRequested() {
            documentPicker.startFolder = page.screen.documentFolder
            documentPicker.open()
        }
    }
}
