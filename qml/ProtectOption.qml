// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// "Protect with a password": a switch, and once on the password typed twice, with what is
// wrong with it underneath.
ColumnLayout {
    id: option
    required property PdfProtection protection
    spacing: Theme.spacingSmall
    function update() { option.protection.setPasswords(first.text, second.text) }
    Switch {
        objectName: "protect"
        text: qsTr("Protect with a password")
        Accessible.name: text
        checked: option.protection.enabled
        onToggled: option.protection.enabled = checked
        Layout.fillWidth: true
    }
    TextField {
        id: first
        objectName: "protectPassword"
        visible: option.protection.enabled
        echoMode: TextInput.Password
        placeholderText: qsTr("Password")
        Accessible.name: placeholderText
        onTextEdited: option.update()
        Layout.fillWidth: true
    }
    TextField {
        id: second
        objectName: "protectAgain"
        visible: option.protection.enabled
        echoMode: TextInput.Password
        placeholderText: qsTr("Password again")
        Accessible.name: placeholderText
        onTextEdited: option.update()
        Layout.fillWidth: true
    }
    Label {
        visible: option.protection.enabled && text.length > 0
        text: option.protection.error
        color: Theme.error
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
}
