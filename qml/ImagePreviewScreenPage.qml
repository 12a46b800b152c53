// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// The page gallery: one page per screen-filling item, swiped sideways; Save and Share below.
// Left/Right, PageUp/PageDown and the wheel turn pages, Home and End go to the ends, and the
// page field below goes straight to a page.
ScreenPage {
    id: page
    required property ImagePreviewScreen screen
    title: screen.title
    rightAction: Action { text: qsTr("Home"); onTriggered: page.screen.btnHome() }
    rightTint: Theme.appBlackColor

    ListView {
        id: collectionviewImagePreview
        objectName: "collectionviewImagePreview"
        anchors.fill: parent
        orientation: ListView.Horizontal
        snapMode: ListView.SnapOneItem
        highlightRangeMode: ListView.StrictlyEnforceRange
        boundsBehavior: Flickable.StopAtBounds
        highlightMoveDuration: 250
        clip: true
        focus: true
        activeFocusOnTab: true
        keyNavigationEnabled: true
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Pages")
        Keys.onReturnPressed: if (currentIndex >= 0) page.screen.didSelectItem(currentIndex)
        Keys.onEnterPressed: if (currentIndex >= 0) page.screen.didSelectItem(currentIndex)
        Keys.onPressed: (event) => {
            const last = count - 1
            const to = event.key === Qt.Key_PageDown ? currentIndex + 1
                     : event.key === Qt.Key_PageUp ? currentIndex - 1
                     : event.key === Qt.Key_Home ? 0
                     : event.key === Qt.Key_End ? last : -2
            if (to === -2)
                return
            currentIndex = Math.max(0, Math.min(last, to))
            event.accepted = true
        }
        PageWheel { view: collectionviewImagePreview }
        model: page.screen.imageUrls
        delegate: ItemDelegate {
            id: cell
            objectName: "CollectionViewCellImagePreview"
            required property int index
            required property url modelData
            readonly property size itemSize: page.screen.sizeForItem(
                Qt.size(collectionviewImagePreview.width, collectionviewImagePreview.height))
            width: itemSize.width
            height: itemSize.height
            padding: 12
            Accessible.name: qsTr("Page %1 of %2").arg(index + 1).arg(collectionviewImagePreview.count)
            background: Rectangle { color: Theme.surface }
            contentItem: Image {
                objectName: "ivImage"
                Accessible.ignored: true
                // No source until laid out, so the first decode is already at display size.
                source: width > 0 ? cell.modelData : ""
                fillMode: Image.PreserveAspectFit
                asynchronous: true
                // Decoded at the size it is shown, not at the page's full size.
                sourceSize.width: width * Screen.devicePixelRatio
                sourceSize.height: height * Screen.devicePixelRatio
            }
            onClicked: page.screen.didSelectItem(index)
        }
        Label {
            anchors.centerIn: parent
            visible: collectionviewImagePreview.count === 0
            text: qsTr("No pages")
            color: Theme.hintText
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
            Label {
                objectName: "lblPage"
                text: collectionviewImagePreview.count > 0
                      ? qsTr("Page %1 of %2").arg(collectionviewImagePreview.currentIndex + 1).arg(collectionviewImagePreview.count)
                      : ""
                color: Theme.secondaryText
                horizontalAlignment: Text.AlignHCenter
                Layout.fillWidth: true
            }
            TextField {
                objectName: "goToPage"
                visible: collectionviewImagePreview.count > 1
                placeholderText: qsTr("Go to")
                Accessible.name: qsTr("Go to page")
                inputMethodHints: Qt.ImhDigitsOnly
                validator: IntValidator { bottom: 1; top: Math.max(1, collectionviewImagePreview.count) }
                horizontalAlignment: Text.AlignHCenter
                Layout.preferredWidth: 64
                onAccepted: {
                    collectionviewImagePreview.currentIndex = Number(text) - 1
                    clear()
                    collectionviewImagePreview.forceActiveFocus()
                }
            }
            ActionBarButton {
                objectName: "btnShare"
                text: qsTr("Share")
                onClicked: page.screen.btnShare()
            }
        }
    }
}
