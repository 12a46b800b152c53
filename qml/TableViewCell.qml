// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// A history row ("TableViewCellHistory"): icon or picture, file name and size text. A job's row
// stands for many files and opens to list them, indented, below it.
ItemDelegate {
    id: cell
    required property int index
    required property string title
    required property string sizeText
    required property bool isPdf
    required property url fileUrl
    required property int files
    required property bool expanded
    required property bool inGroup
    height: 80
    leftPadding: inGroup ? 2 * Theme.spacingLarge + Theme.spacingMedium : Theme.spacingLarge
    Accessible.name: title
    Accessible.description: files > 0 ? sizeText + (expanded ? ", open" : ", closed") : sizeText

    contentItem: RowLayout {
        spacing: Theme.spacingMedium
        Image {
            objectName: "ivImage"
            Accessible.ignored: true
            Layout.preferredWidth: 64
            Layout.preferredHeight: 64
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            autoTransform: true
            sourceSize.width: 128
            sourceSize.height: 128
            source: cell.isPdf ? Theme.pdfIconImage : cell.fileUrl
        }
        ColumnLayout {
            Layout.fillWidth: true
            Label { objectName: "lblTitle"; text: cell.title; font.bold: true; elide: Text.ElideMiddle; Layout.fillWidth: true }
            Label { objectName: "lblSize"; text: cell.sizeText; color: Theme.secondaryText }
        }
        Label {
            objectName: "lblExpand"
            visible: cell.files > 0
            Accessible.ignored: true // the row says it
            text: cell.expanded ? "▾" : "▸"
            color: Theme.secondaryText
            font.pixelSize: Theme.fontGlyphPixels
        }
    }
}
