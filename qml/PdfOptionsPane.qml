// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// How the PDF is made: the paper its pages are, the margin, whether its text is searchable, and
// whether a password protects it.
Pane {
    id: pane
    required property ImageToPDFScreen screen
    readonly property bool onPaper: screen.paperSize !== "photo"

    // A readable width, centred, on a wide window.
    ColumnLayout {
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(parent.width, Theme.readableWidth)
        spacing: 4
        RowLayout {
            Label { text: qsTr("Paper"); color: Theme.appBlackColor; Layout.fillWidth: true }
            ComboBox {
                id: paperSize
                objectName: "paperSize"
                Accessible.name: qsTr("Paper")
                textRole: "text"
                valueRole: "key"
                model: [{ key: "photo", text: qsTr("Photo size") }, { key: "a4", text: "A4" },
                        { key: "letter", text: qsTr("Letter") }]
                // Found in the model itself: indexOfValue() is not re-run once the model is set.
                currentIndex: paperSize.model.findIndex(e => e.key === pane.screen.paperSize)
                onActivated: pane.screen.paperSize = currentValue
                Layout.preferredWidth: 160
            }
        }
        RowLayout {
            visible: pane.onPaper
            Label { text: qsTr("Margin (mm)"); color: Theme.appBlackColor; Layout.fillWidth: true }
            SpinBox {
                objectName: "marginMm"
                Accessible.name: qsTr("Margin (mm)")
                from: 0
                to: 50
                value: Math.round(pane.screen.marginMm)
                onValueModified: pane.screen.marginMm = value
                Layout.preferredWidth: 160
            }
        }
        Switch {
            objectName: "searchable"
            text: qsTr("Make text searchable")
            Accessible.name: text
            checked: pane.screen.searchable
            onToggled: pane.screen.searchable = checked
            Layout.fillWidth: true
        }
        ProtectOption {
            protection: pane.screen.protection
            Layout.fillWidth: true
        }
    }
}
