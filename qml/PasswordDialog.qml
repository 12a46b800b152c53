// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Asks for the password of a protected PDF while its screen's prompt asks; says why a password
// was not taken. What is typed goes to the prompt, and Cancel backs out.
Dialog {
    id: dialog
    objectName: "passwordDialog"
    required property PasswordPrompt prompt
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(parent.width - 40, 360)
    modal: true
    // It shows while the prompt asks: only the prompt closes it, so the binding holds.
    closePolicy: Popup.NoAutoClose
    Overlay.modal: Rectangle { color: Theme.scrimCentre }
    title: qsTr("Password")
    visible: dialog.prompt.asking
    onAboutToShow: { field.text = ""; field.forceActiveFocus() }

    function send() {
        const typed = field.text
        field.text = ""
        dialog.prompt.submit(typed)
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: Theme.spacing
        Label {
            text: qsTr("“%1” is protected. Type its password to open it.").arg(dialog.prompt.fileName)
            color: Theme.text
            wrapMode: Text.Wrap
            Layout.fillWidth: true
        }
        TextField {
            id: field
            objectName: "passwordField"
            echoMode: TextInput.Password
            placeholderText: qsTr("Password")
            Accessible.name: qsTr("Password")
            Layout.fillWidth: true
            onAccepted: dialog.send()
            Keys.onEscapePressed: dialog.prompt.cancel()
        }
        Label {
            objectName: "passwordMessage"
            visible: text.length > 0
            text: dialog.prompt.message
            color: Theme.error
            wrapMode: Text.Wrap
            Layout.fillWidth: true
        }
    }
    footer: RowLayout {
        spacing: Theme.spacing
        Item { Layout.fillWidth: true }
        Button {
            text: qsTr("Cancel")
            Accessible.name: text
            flat: true
            onClicked: dialog.prompt.cancel()
        }
        Button {
            objectName: "passwordOpen"
            text: qsTr("Open")
            Accessible.name: text
            flat: true
            onClicked: dialog.send()
            Layout.rightMargin: Theme.spacing
        }
    }
}
