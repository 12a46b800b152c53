// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// A history row ("TableViewCellHistory"): icon or picture, file name and size text.
ItemDelegate {
    id: cell
    required property int index
    required property string title
    required property string sizeText
    required property bool isPdf
    required property url fileUrl
    height: 80
    Accessible.name: title
    Accessible.description: sizeText

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
    }
}
