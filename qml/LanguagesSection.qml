// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The languages text recognition reads, one box each; a chosen language whose data is missing
// says which package brings it.
ColumnLayout {
    id: section
    required property RecognitionLanguages languages
    spacing: 0

    Label {
        text: qsTr("Text recognition languages")
        font.bold: true
        font.pointSize: Theme.fontHeading
        color: Theme.appBlackColor
        Layout.topMargin: Theme.spacingMedium
    }
    Repeater {
        model: section.languages.languages
        delegate: CheckDelegate {
            id: box
            required property var modelData
            objectName: "language_" + modelData.code
            text: modelData.installed ? modelData.name
                                      : qsTr("%1 — not installed (%2)").arg(modelData.name).arg(modelData.package)
            checked: modelData.chosen
            Accessible.name: text
            enabled: modelData.installed || modelData.chosen
            onToggled: {
                section.languages.setChosen(box.modelData.code, checked)
                // The last language cannot be dropped: show what was kept.
                checked = section.languages.chosen.split("+").indexOf(box.modelData.code) >= 0
            }
            Layout.fillWidth: true
        }
    }
}
