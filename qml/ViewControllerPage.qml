// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Quire

// Start screen: the app's name on white while the home screen gets ready.
ScreenPage {
    required property ViewController screen
    title: screen.title
    Column {
        anchors.centerIn: parent
        spacing: Theme.spacingLarge
        Image {
            source: Theme.iconImage
            Accessible.ignored: true // the name is written under it
            sourceSize.width: 120
            sourceSize.height: 120
            anchors.horizontalCenter: parent.horizontalCenter
        }
        Label {
            text: "Quire"
            font.family: Theme.titleFontFamily
            font.bold: true
            font.pointSize: Theme.fontDisplay
            color: Theme.appBlackColor
            anchors.horizontalCenter: parent.horizontalCenter
        }
    }
}
