// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Quire

// A text button of a screen's bottom bar, in the app's green like the bar's right button.
ToolButton {
    id: control
    Accessible.name: text
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    background: FocusRing { button: control }
    contentItem: Label {
        text: control.text
        color: control.enabled ? Theme.appGreenColor : Theme.disabledText
        font.pointSize: Theme.fontBody
        font.bold: true
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
