// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Quire

// Draws the progress overlay: a dark box over a dimming mask that takes every touch.
Popup {
    id: hud
    objectName: "hud"
    parent: Overlay.overlay
    anchors.centerIn: parent
    visible: ProgressHUD.visible
    modal: ProgressHUD.blocksTouches
    dim: ProgressHUD.blocksTouches
    closePolicy: Popup.NoAutoClose
    padding: 20
    Overlay.modal: Rectangle {
        gradient: Gradient {
            GradientStop { position: 0.0; color: Theme.scrimEdge }
            GradientStop { position: 0.5; color: Theme.scrimCentre }
            GradientStop { position: 1.0; color: Theme.scrimEdge }
        }
    }
    background: Rectangle { radius: 14; color: Theme.hud }
    contentItem: Column {
        spacing: Theme.spacingMedium
        width: Math.max(120, implicitWidth)
        BusyIndicator {
            anchors.horizontalCenter: parent.horizontalCenter
            running: ProgressHUD.state === ProgressHUD.Busy
            visible: running
            palette.dark: Theme.textOnAccent
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            visible: ProgressHUD.state === ProgressHUD.Success || ProgressHUD.state === ProgressHUD.Info
            text: ProgressHUD.state === ProgressHUD.Success ? "✓" : "!"
            Accessible.ignored: true // the status under it says it in words
            color: Theme.textOnAccent
            font.pixelSize: Theme.fontMarkPixels
        }
        Label {
            objectName: "hudStatus"
            anchors.horizontalCenter: parent.horizontalCenter
            text: ProgressHUD.status
            visible: text.length > 0
            color: Theme.textOnAccent
            wrapMode: Text.Wrap
            width: Math.min(implicitWidth, 240)
            horizontalAlignment: Text.AlignHCenter
        }
        Label {
            objectName: "hudProgress"
            anchors.horizontalCenter: parent.horizontalCenter
            text: ProgressHUD.progressText
            visible: ProgressHUD.state === ProgressHUD.Busy && text.length > 0
            color: Theme.textOnAccent
        }
        ProgressBar {
            objectName: "hudBar"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 160
            visible: ProgressHUD.state === ProgressHUD.Busy && ProgressHUD.total > 0
            from: 0
            to: Math.max(1, ProgressHUD.total)
            value: ProgressHUD.progress
            Accessible.name: ProgressHUD.status
            Accessible.description: ProgressHUD.progressText
        }
        Button {
            objectName: "hudCancel"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Cancel")
            Accessible.name: text
            flat: true
            // On the dark box whatever the scheme, so not the style's text colour.
            Material.foreground: Theme.textOnAccent
            visible: ProgressHUD.state === ProgressHUD.Busy && ProgressHUD.cancellable
            enabled: !ProgressHUD.cancelling
            onClicked: ProgressHUD.cancel()
        }
    }
}
