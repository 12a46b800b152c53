// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// One of the home screen's job buttons: a glyph over a label on a green tile. Enter opens it as
// Space does, and a ring shows when the keyboard is on it.
Button {
    id: control
    property string glyph
    Accessible.name: text
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Layout.fillWidth: true
    Layout.preferredHeight: 76
    contentItem: Column {
        spacing: Theme.spacingSmall
        Label {
            text: control.glyph
            Accessible.ignored: true // a picture of the job, not words
            color: Theme.textOnAccent
            font.pixelSize: Theme.fontGlyphPixels
            anchors.horizontalCenter: parent.horizontalCenter
        }
        Label {
            text: control.text
            color: Theme.textOnAccent
            font.bold: true
            anchors.horizontalCenter: parent.horizontalCenter
        }
    }
    background: Rectangle {
        radius: 12
        color: control.down ? Theme.accentPressed : Theme.appGreenColor
        border.color: Theme.focusRing
        border.width: control.visualFocus ? Theme.focusRingWidth : 0
    }
}
