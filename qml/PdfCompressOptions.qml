// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// How a PDF is compressed: the quality of its photos (or a size to fit under), the resolution
// its images are brought down to, and a password to protect the result with.
Pane {
    id: pane
    required property CompressPDFScreen screen
    property int pageCount: 0
    // The screen's lists as the combo boxes show them.
    function targetLabels() {
        const labels = [qsTr("Quality")]
        for (const choice of pane.screen.targetChoices)
            labels.push(qsTr("Fit under %1").arg(choice))
        return labels
    }
    function dpiLabels() {
        const labels = []
        for (const dpi of pane.screen.resolutions)
            labels.push(dpi === 0 ? qsTr("As they are") : qsTr("%1 dpi").arg(dpi))
        return labels
    }
    function dpiIndex() {
        let index = 0
        for (const dpi of pane.screen.resolutions) {
            if (dpi === pane.screen.dpi)
                return index
            ++index
        }
        return 0
    }

    ColumnLayout {
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(parent.width, Theme.readableWidth)
        spacing: Theme.spacingSmall
        Label {
            objectName: "pdfSummary"
            text: (pane.pageCount === 1 ? qsTr("1 page") : qsTr("%1 pages").arg(pane.pageCount))
                  + " · " + pane.screen.sizeText
            color: Theme.secondaryText
        }
        RowLayout {
            Label { text: qsTr("Compress to"); color: Theme.text; Layout.fillWidth: true }
            ComboBox {
                id: target
                objectName: "pdfTarget"
                Accessible.name: qsTr("Compress to")
                model: pane.targetLabels()
                onActivated: index => pane.screen.setTargetText(index === 0 ? "" : pane.screen.targetChoices[index - 1])
                Layout.preferredWidth: 180
            }
        }
        RowLayout {
            visible: target.currentIndex === 0
            Label { text: qsTr("Quality %1").arg(pane.screen.quality); color: Theme.text; Layout.preferredWidth: 100 }
            Slider {
                objectName: "pdfQuality"
                Accessible.name: qsTr("Quality")
                from: 10
                to: 90
                stepSize: 5
                value: pane.screen.quality
                onMoved: pane.screen.quality = value
                Layout.fillWidth: true
            }
        }
        RowLayout {
            Label { text: qsTr("Images at most"); color: Theme.text; Layout.fillWidth: true }
            ComboBox {
                objectName: "pdfDpi"
                Accessible.name: qsTr("Images at most")
                model: pane.dpiLabels()
                currentIndex: pane.dpiIndex()
                onActivated: index => pane.screen.dpi = pane.screen.resolutions[index]
                Layout.preferredWidth: 180
            }
        }
        ProtectOption {
            protection: pane.screen.protection
            Layout.fillWidth: true
        }
    }
}
