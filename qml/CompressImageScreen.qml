import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Compress: the chosen photos in two columns, each with its size before compression.
ScreenPage {
    id: page
    leftAction: Action { text: "‹ Back"; onTriggered: page.screen.btnBack() }
    rightAction: Action { objectName: "btnCompress"; text: "Compress"; onTriggered: page.screen.btnCompress() }

    GridView {
        id: collectionviewCompressImage
        objectName: "collectionviewCompressImage"
        // 48 points of the width go to the two outer insets and the gap between the columns.
        readonly property real side: (width - 48) * 0.5
        anchors.fill: parent
        leftMargin: Theme.spacingLarge
        topMargin: Theme.spacingLarge
        cellWidth: side + 16
        cellHeight: side + 16
        clip: true
        model: page.screen ? page.screen.imageUrls.length : 0
        delegate: CollectionViewCell {
            required property int index
            objectName: "CollectionViewCellCompress"
            width: collectionviewCompressImage.side
            height: collectionviewCompressImage.side
            imageUrl: page.screen.imageUrls[index]
            sizeText: page.screen.sizeLabels[index] || ""
            sizePending: sizeText === ""
        }
    }
}
