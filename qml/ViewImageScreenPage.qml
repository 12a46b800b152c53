// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// One image alone, fitted to the screen and zoomed in on demand; Save and Share below.
ScreenPage {
    id: page
    required property ViewImageScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }

    background: Rectangle { color: Theme.surface }

    ZoomView {
        id: zoomView
        objectName: "zoomView"
        anchors.fill: parent
        anchors.margins: Theme.spacingMedium
        focus: true
        Image {
            id: ivImage
            objectName: "ivImage"
            Accessible.role: Accessible.Graphic
            Accessible.name: ImageNames.fileName(page.screen.ivImage) || page.title
            width: zoomView.contentWidth
            height: zoomView.contentHeight
            source: page.screen && zoomView.width > 0 ? page.screen.ivImage : ""
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            // Decoded at the size shown; zooming in decodes again, sharper.
            sourceSize.width: width * Screen.devicePixelRatio
            sourceSize.height: height * Screen.devicePixelRatio
        }
    }

    footer: ToolBar {
        background: Rectangle { color: Theme.appWhiteColor }
        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: Theme.spacingMedium
            anchors.rightMargin: Theme.spacingMedium
            ActionBarButton {
                objectName: "btnSave"
                text: qsTr("Save")
                onClicked: page.screen.btnSave()
            }
            Item { Layout.fillWidth: true }
            ActionBarButton {
                objectName: "btnShare"
                text: qsTr("Share")
                onClicked: page.screen.btnShare()
            }
        }
    }
}
