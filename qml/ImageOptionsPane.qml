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

    ColumnLayout {
        anchors.fill: parent
        spacing: 4
        RowLayout {
            Label { text: "Resolution"; color: Theme.appBlackColor; Layout.fillWidth: true }
            ComboBox {
                objectName: "resolution"
                textRole: "text"
                valueRole: "dpi"
                model: [{ dpi: 0, text: "Screen" }, { dpi: 72, text: "72 dpi" },
                        { dpi: 150, text: "150 dpi" }, { dpi: 300, text: "300 dpi" }]
                currentIndex: indexOfValue(pane.screen.resolution)
                onActivated: pane.screen.resolution = currentValue
                Layout.preferredWidth: 160
            }
        }
        RowLayout {
            Label { text: "Pages"; color: Theme.appBlackColor; Layout.fillWidth: true }
            TextField {
                objectName: "pageRange"
                placeholderText: pane.pageCount > 1 ? "All " + pane.pageCount + ", or e.g. 1-3, 8"
                                                    : "All"
                text: pane.screen.pageRange
                inputMethodHints: Qt.ImhPreferNumbers
                onTextEdited: pane.screen.pageRange = text
                Layout.preferredWidth: 160
            }
        }
        Label {
            objectName: "pageRangeError"
            visible: text !== ""
            text: pane.screen.pageRangeError
            color: Theme.error
            wrapMode: Text.Wrap
            Layout.fillWidth: true
        }
    }
}
