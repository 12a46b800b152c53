// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// One action of a sheet: Tab or the arrows move between them, Enter runs the one shown lit.
ItemDelegate {
    id: action
    Accessible.name: text
    Layout.fillWidth: true
    focusPolicy: Qt.StrongFocus
    highlighted: activeFocus
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Keys.onUpPressed: nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
    Keys.onDownPressed: nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason)
}
