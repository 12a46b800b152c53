// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// What PDF to images makes: the resolution of the images and which pages become images.
Pane {
    id: pane
    required property PDFToImageScreen screen
    property int pageCount: 0

    // A readable width, centred, on a wide window; the fields take what the labels leave.
    ColumnLayout {
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(parent.width, Theme.readableWidth)
        spacing: 4
        RowLayout {
            Label { text: qsTr("Resolution"); color: Theme.appBlackColor; Layout.preferredWidth: 100 }
            ComboBox {
                id: resolution
                objectName: "resolution"
                Accessible.name: qsTr("Resolution")
                textRole: "text"
                valueRole: "dpi"
                model: [{ dpi: 0, text: qsTr("Screen") }, { dpi: 72, text: qsTr("72 dpi") },
                        { dpi: 150, text: qsTr("150 dpi") }, { dpi: 300, text: qsTr("300 dpi") }]
                // Found in the model itself: indexOfValue() is not re-run once the model is set.
                currentIndex: resolution.model.findIndex(e => e.dpi === pane.screen.resolution)
                onActivated: pane.screen.resolution = currentValue
                Layout.fillWidth: true
            }
        }
        RowLayout {
            Label { text: qsTr("Pages"); color: Theme.appBlackColor; Layout.preferredWidth: 100 }
            TextField {
                objectName: "pageRange"
                Accessible.name: qsTr("Pages")
                Accessible.description: placeholderText
                placeholderText: pane.pageCount > 1 ? qsTr("All %1, or e.g. 1-3, 8").arg(pane.pageCount)
                                                    : qsTr("All")
                text: pane.screen.pageRange
                inputMethodHints: Qt.ImhPreferNumbers
                onTextEdited: pane.screen.pageRange = text
                Layout.fillWidth: true
            }
        }
        Label {
            objectName: "pageRangeError"
            Accessible.role: Accessible.AlertMessage
            visible: text !== ""
            text: pane.screen.pageRangeError
            color: Theme.error
            wrapMode: Text.Wrap
            Layout.fillWidth: true
        }
    }
}
