// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The resized image, to save or share, and the way home.
ScreenPage {
    id: page
    required property ResizeImagePreviewScreen screen
    title: screen.title

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: Theme.spacingLarge
        spacing: Theme.spacingMedium

        Image {
            id: ivImage
            objectName: "ivImage"
            Accessible.role: Accessible.Graphic
            Accessible.name: ImageNames.fileName(page.screen.ivImage) || page.title
            Layout.fillWidth: true
            Layout.fillHeight: true
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            sourceSize.width: width * 2
            sourceSize.height: height * 2
            source: page.screen.ivImage
        }
        Label {
            objectName: "lblSize"
            Layout.alignment: Qt.AlignHCenter
            text: page.screen.sizeText
            color: Theme.secondaryText
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: Theme.spacingMedium
            JobButton { objectName: "btnSave"; text: qsTr("Save"); glyph: "⤓"; onClicked: page.screen.btnSave() }
            JobButton { objectName: "btnShare"; text: qsTr("Share"); glyph: "⇪"; onClicked: page.screen.btnShare() }
            JobButton { objectName: "btnHome"; text: qsTr("Home"); glyph: "⌂"; onClicked: page.screen.btnHome() }
        }
    }
}
