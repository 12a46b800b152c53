// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The corrected page as it will come out, what is to be said about it, and the choices that
// shape it: filter, turns, the same for every photo, or none at all.
ColumnLayout {
    id: panel
    required property AdjustScreen screen
    required property bool wide
    spacing: Theme.spacing

    Image {
        id: preview
        objectName: "adjustPreview"
        Layout.fillWidth: true
        Layout.fillHeight: panel.wide
        Layout.preferredHeight: panel.wide ? -1 : 150
        fillMode: Image.PreserveAspectFit
        source: panel.screen.previewUrl
        Accessible.role: Accessible.Graphic
        Accessible.name: "Corrected page"
    }
    // The page is made for the space it is shown in.
    Binding {
        panel.screen.previewSide: Math.round(Math.max(preview.width, preview.height)
                                             * Screen.devicePixelRatio)
        when: preview.width > 0 && preview.height > 0
    }
    Label {
        objectName: "adjustMessage"
        Layout.fillWidth: true
        visible: text !== ""
        text: panel.screen.message
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        color: Theme.secondaryText
    }
    Flow {
        Layout.fillWidth: true
        spacing: Theme.spacingSmall
        Repeater {
            model: ["Original", "Greyscale", "Document", "Black & white"]
            delegate: Button {
                required property int index
                required property string modelData
                text: modelData
                Accessible.name: modelData
                checkable: true
                checked: panel.screen.filter === index
                highlighted: checked
                leftPadding: Theme.spacingMedium
                rightPadding: Theme.spacingMedium
                onClicked: panel.screen.filter = index
            }
        }
    }
    Flow {
        Layout.fillWidth: true
        spacing: Theme.spacingSmall
        Button { text: "⟲"; Accessible.name: "Rotate left"; onClicked: panel.screen.rotateLeft() }
        Button { text: "⟳"; Accessible.name: "Rotate right"; onClicked: panel.screen.rotateRight() }
        Button {
            text: "Apply to all"
            Accessible.name: text
            visible: panel.screen.count > 1
            onClicked: panel.screen.applyToAll()
        }
        Button {
            text: "Skip"
            Accessible.name: text
            enabled: !panel.screen.adjusting
            onClicked: panel.screen.btnSkip()
        }
    }
    RowLayout {
        visible: panel.screen.count > 1
        Layout.alignment: Qt.AlignHCenter
        Button {
            text: "‹"
            Accessible.name: "Previous photo"
            enabled: panel.screen.currentIndex > 0
            onClicked: panel.screen.currentIndex = panel.screen.currentIndex - 1
        }
        Label {
            text: "Photo " + (panel.screen.currentIndex + 1) + " of " + panel.screen.count
            color: Theme.text
        }
        Button {
            text: "›"
            Accessible.name: "Next photo"
            enabled: panel.screen.currentIndex < panel.screen.count - 1
            onClicked: panel.screen.currentIndex = panel.screen.currentIndex + 1
        }
    }
}
