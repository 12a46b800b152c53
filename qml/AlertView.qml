// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Shows the front alert of the alert queue with its buttons in order.
Dialog {
    id: alert
    objectName: "alert"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(parent.width - 60, 300)
    modal: true
    // The style's dimming is light in its dark theme; a scrim darkens in both.
    Overlay.modal: Rectangle { color: Theme.scrimCentre }
    closePolicy: Popup.NoAutoClose
    visible: Alerts.showing
    title: Alerts.title
    focus: true
    contentItem: Label {
        text: Alerts.message
        wrapMode: Text.Wrap
        // Enter confirms (the last button, the alert's preferred one); Esc cancels.
        focus: true
        Keys.onReturnPressed: Alerts.respond(Alerts.buttons.length - 1)
        Keys.onEnterPressed: Alerts.respond(Alerts.buttons.length - 1)
        Keys.onEscapePressed: {
            const cancel = Alerts.buttons.indexOf(qsTr("Cancel"))
            Alerts.respond(cancel >= 0 ? cancel : Alerts.buttons.length - 1)
        }
        Accessible.role: Accessible.AlertMessage
        Accessible.name: Alerts.title
        Accessible.description: Alerts.message
    }
    footer: GridLayout {
        columns: Alerts.buttons.length > 2 ? 1 : Math.max(1, Alerts.buttons.length)
        columnSpacing: 0
        rowSpacing: 0
        Repeater {
            model: Alerts.buttons
            Button {
                required property string modelData
                required property int index
                text: modelData
                Accessible.name: modelData
                flat: true
                Layout.fillWidth: true
                onClicked: Alerts.respond(index)
            }
        }
    }
}
