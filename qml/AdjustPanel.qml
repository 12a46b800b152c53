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

    // The page on a surface of its own, so that white paper stands out from the window.
    Rectangle {
        Layout.fillWidth: true
        Layout.fillHeight: panel.wide
        Layout.preferredHeight: panel.wide ? -1 : 160
        color: Theme.surface
        radius: Theme.radius
        Image {
            id: preview
            objectName: "adjustPreview"
            anchors.fill: parent
            anchors.margins: Theme.spacing
            fillMode: Image.PreserveAspectFit
            source: panel.screen.previewUrl
            Accessible.role: Accessible.Graphic
            Accessible.name: qsTr("Corrected page")
        }
        BusyIndicator {
            anchors.centerIn: parent
            running: panel.screen.previewing
            visible: running
            Accessible.name: qsTr("Making the preview")
        }
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
            model: [qsTr("Original"), qsTr("Greyscale"), qsTr("Document"), qsTr("Black & white")]
            delegate: ChoiceButton {
                required property int index
                required property string modelData
                label: modelData
                checked: panel.screen.filter === index
                onClicked: panel.screen.filter = index
            }
        }
    }
    Flow {
        Layout.fillWidth: true
        spacing: Theme.spacingSmall
        ChoiceButton {
            label: "⟲"
            Accessible.name: qsTr("Rotate left")
            onClicked: panel.screen.rotateLeft()
        }
        ChoiceButton {
            label: "⟳"
            Accessible.name: qsTr("Rotate right")
            onClicked: panel.screen.rotateRight()
        }
        ChoiceButton {
            label: qsTr("Apply to all")
            visible: panel.screen.count > 1
            onClicked: panel.screen.applyToAll()
        }
        ChoiceButton {
            label: qsTr("Skip")
            enabled: !panel.screen.adjusting
            onClicked: panel.screen.btnSkip()
        }
    }
    RowLayout {
        visible: panel.screen.count > 1
        Layout.alignment: Qt.AlignHCenter
        ChoiceButton {
            label: "‹"
            Accessible.name: qsTr("Previous photo")
            enabled: panel.screen.currentIndex > 0
            onClicked: panel.screen.currentIndex = panel.screen.currentIndex - 1
        }
        Label {
            text: qsTr("Photo %1 of %2").arg(panel.screen.currentIndex + 1).arg(panel.screen.count)
            color: Theme.text
        }
        ChoiceButton {
            label: "›"
            Accessible.name: qsTr("Next photo")
            enabled: panel.screen.currentIndex < panel.screen.count - 1
            onClicked: panel.screen.currentIndex = panel.screen.currentIndex + 1
        }
    }
}
