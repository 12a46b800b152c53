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
    rightAction: Action { text: "Settings"; onTriggered: page.screen.btnSetting() }
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
            JobButton { objectName: "btnImageToPDF"; text: "Images to PDF"; glyph: "▤"; onClicked: page.screen.btnImageToPDF() }
            JobButton { objectName: "btnPDFToImage"; text: "PDF to Images"; glyph: "▦"; onClicked: page.screen.btnPDFToImage() }
            JobButton { objectName: "btnCompressImage"; text: "Compress"; glyph: "⇲"; onClicked: page.screen.btnCompressImage() }
            JobButton { objectName: "btnResizeImage"; text: "Resize"; glyph: "⤢"; onClicked: page.screen.btnResizeImage() }
            JobButton { objectName: "btnExtractText"; text: "Extract Text"; glyph: "T"; onClicked: page.screen.btnExtractText(); Layout.columnSpan: jobs.columns === 5 ? 1 : 2 }
        }

        Label {
            text: "History"
            font.bold: true
            font.pointSize: Theme.fontHeading
            color: Theme.appBlackColor
        }

        ListView {
            id: tableviewRecent
            objectName: "tableviewRecent"
            Accessible.role: Accessible.List
            Accessible.name: "History"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: page.screen.tableviewRecent
            delegate: TableViewCell {
                objectName: "TableViewCellHistory"
                width: ListView.view.width
                onClicked: page.screen.didSelectRow(index)
            }
            Label {
                anchors.centerIn: parent
                visible: tableviewRecent.count === 0
                text: "Files you make appear here."
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
        function onDocumentPickerRequested() { documentPicker.open() }
    }
}
