// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// A wide button under a result: filled green for the main action, outlined for the others.
Button {
    id: control
    property bool filled: false
    Accessible.name: text
    Layout.fillWidth: true
    Layout.preferredHeight: 48
    contentItem: Label {
        text: control.text
        font.bold: true
        color: control.filled ? Theme.textOnAccent : Theme.appGreenColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        radius: 10
        color: control.filled ? (control.down ? Theme.accentPressed : Theme.appGreenColor)
                              : (control.down ? Theme.accentTint : Theme.appWhiteColor)
        border.color: Theme.appGreenColor
        border.width: control.filled ? 0 : 1.5
    }
}
