// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// A tappable settings row: a title over a grey detail line.
ItemDelegate {
    id: row
    property string detail
    Accessible.name: text
    Accessible.description: detail
    Layout.fillWidth: true
    contentItem: ColumnLayout {
        spacing: 2
        Label { text: row.text; font.bold: true; color: Theme.appBlackColor }
        Label {
            text: row.detail
            color: Theme.secondaryText
            elide: Text.ElideMiddle
            Layout.fillWidth: true
        }
    }
}
