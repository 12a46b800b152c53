// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Compress: the chosen photos in two columns (more on a wide window), each with its size before compression.
ScreenPage {
    id: page
    required property CompressImageScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    rightAction: Action { objectName: "btnCompress"; text: qsTr("Compress"); onTriggered: page.screen.btnCompress() }

    // Quality 0.25 by default, or the highest quality that fits under a size.
    RowLayout {
        id: target
        // A readable width on a wide window, not the window's.
        anchors { horizontalCenter: parent.horizontalCenter; top: parent.top; margins: Theme.spacingLarge }
        width: Math.min(parent.width - 2 * Theme.spacingLarge, Theme.readableWidth)
        spacing: Theme.spacingSmall
        ComboBox {
            id: targetMode
            objectName: "targetMode"
            Accessible.name: qsTr("Compress to")
            Layout.fillWidth: true
            model: {
                const choices = [qsTr("Quality 25 %")]
                for (const choice of page.screen.targetChoices)
                    choices.push(qsTr("Fit under %1").arg(choice))
                choices.push(qsTr("Fit under…"))
                return choices
            }
            readonly property bool typed: currentIndex === count - 1
            onActivated: index => {
                if (index === 0)
                    page.screen.setTargetText("")
                else if (!typed)
                    page.screen.setTargetText(page.screen.targetChoices[index - 1])
                else
                    typedSize.forceActiveFocus()
            }
        }
        TextField {
            id: typedSize
            objectName: "typedSize"
            visible: targetMode.typed
            placeholderText: qsTr("e.g. 750 kb")
            Accessible.name: qsTr("Fit under")
            Accessible.description: placeholderText
            Layout.preferredWidth: 120
            onTextEdited: valid = page.screen.setTargetText(text)
            property bool valid: true
        }
    }
    // Under the field, in the page: a tooltip above it would cover the bar and its Compress.
    Label {
        id: typedSizeHint
        objectName: "typedSizeHint"
        anchors { left: target.left; right: target.right; top: target.bottom; topMargin: Theme.spacingSmall }
        visible: targetMode.typed && !typedSize.valid
        text: qsTr("Type a size such as 500 kb or 1.5 mb")
        wrapMode: Text.Wrap
        color: Theme.error
    }

    GridView {
        id: collectionviewCompressImage
        objectName: "collectionviewCompressImage"
        // On a phone 48 points of the width go to the two outer insets and the gap between the
        // columns; a wider window adds columns.
        readonly property real side: page.screen.itemSide(width)
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; top: typedSizeHint.visible ? typedSizeHint.bottom : target.bottom }
        leftMargin: Theme.spacingLarge
        topMargin: Theme.spacingLarge
        cellWidth: side + 16
        cellHeight: side + 16
        clip: true
        model: page.screen.imageUrls.length
        delegate: CollectionViewCell {
            required property int index
            objectName: "CollectionViewCellCompress"
            width: collectionviewCompressImage.side
            height: collectionviewCompressImage.side
            imageUrl: page.screen.imageUrls[index] ?? ""
            thumbnailSize: Math.ceil(collectionviewCompressImage.side * Screen.devicePixelRatio)
            sizeText: page.screen.sizeLabels[index] || ""
            sizePending: sizeText === ""
        }
    }
}
