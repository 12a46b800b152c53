// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Quire

// A compact button of a row of choices: green while it is the one chosen, a ring while the
// keyboard is on it. Enter presses it as Space does.
Button {
    id: control
    // The words on it; "&" is shown as it is rather than marking a shortcut.
    property string label
    text: label.replace("&", "&&")
    Accessible.name: label
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    leftPadding: Theme.spacingMedium
    rightPadding: Theme.spacingMedium
    contentItem: Label {
        text: control.label
        color: control.checked ? Theme.textOnAccent
                               : control.enabled ? Theme.text : Theme.disabledText
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        implicitWidth: 44
        implicitHeight: 36
        radius: Theme.radius
        color: control.checked ? Theme.appGreenColor
                               : control.down ? Theme.accentTint : Theme.surface
        border.color: Theme.focusRing
        border.width: control.visualFocus ? Theme.focusRingWidth : 0
    }
}
