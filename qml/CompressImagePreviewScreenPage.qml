// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The compressed photos with their new sizes; tap one to view it, or save, share, go home.
ScreenPage {
    id: page
    required property CompressImagePreviewScreen screen
    title: screen.title

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Label {
            objectName: "lblFailed"
            Layout.fillWidth: true
            Layout.margins: Theme.spacingLarge
            Layout.bottomMargin: 0
            visible: text.length > 0
            text: page.screen.failureText
            color: Theme.error
            wrapMode: Text.Wrap
        }

        GridView {
            id: collectionviewCompressImagePreview
            objectName: "collectionviewCompressImagePreview"
            readonly property real side: (width - 48) * 0.5
            Layout.fillWidth: true
            Layout.fillHeight: true
            leftMargin: Theme.spacingLarge
            topMargin: Theme.spacingLarge
            cellWidth: side + 16
            cellHeight: side + 16
            clip: true
            model: page.screen.results
            delegate: CollectionViewCell {
                required property int index
                required imageUrl
                required property string caption
                objectName: "CollectionViewCellCompressPreview"
                width: collectionviewCompressImagePreview.side
                height: collectionviewCompressImagePreview.side
                sizeText: caption
                onClicked: page.screen.didSelectItem(index)
            }
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.margins: Theme.spacingLarge
            spacing: Theme.spacingMedium
            JobButton { objectName: "btnSave"; text: qsTr("Save"); glyph: "⤓"; onClicked: page.screen.btnSave() }
            JobButton { objectName: "btnShare"; text: qsTr("Share"); glyph: "⇪"; onClicked: page.screen.btnShare() }
            JobButton { objectName: "btnHome"; text: qsTr("Home"); glyph: "⌂"; onClicked: page.screen.btnHome() }
        }
    }
}
