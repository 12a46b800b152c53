// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// One row of the PDF chooser: a folder, or a PDF with its size and date on one elided line.
ItemDelegate {
    id: row
    required property string fileName
    required property bool fileIsDir
    required property int fileSize
    required property date fileModified
    readonly property string detail: fileIsDir
        ? qsTr("Folder")
        : SizeText.of(fileSize) + " · "
          + fileModified.toLocaleString(Qt.locale(), Locale.ShortFormat)
    Accessible.name: fileName
    Accessible.description: detail
    Accessible.role: fileIsDir ? Accessible.Button : Accessible.ListItem
    Accessible.selected: highlighted

    contentItem: RowLayout {
        spacing: Theme.spacingMedium
        Image {
            Layout.preferredWidth: 32
            Layout.preferredHeight: 32
            sourceSize.width: 64
            sourceSize.height: 64
            fillMode: Image.PreserveAspectFit
            source: row.fileIsDir ? "" : Theme.pdfIconImage
            visible: !row.fileIsDir
            Accessible.ignored: true
        }
        Label {
            Layout.preferredWidth: 32
            horizontalAlignment: Text.AlignHCenter
            visible: row.fileIsDir
            text: "▸"
            color: Theme.appGreenColor
            font.pixelSize: Theme.fontGlyphPixels
            Accessible.ignored: true
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 2
            Label {
                text: row.fileName
                color: Theme.text
                font.bold: !row.fileIsDir
                elide: Text.ElideMiddle
                Layout.fillWidth: true
            }
            Label {
                text: row.detail
                color: Theme.secondaryText
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
    }
}
