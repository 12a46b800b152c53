import QtQuick
import QtQuick.Controls
import Quire

// The pages to be: the picked photos in pick order, two to a row; Convert writes the PDF.
ScreenPage {
    id: page
    leftAction: Action { text: "‹ Back"; onTriggered: page.screen.btnBack() }
    rightAction: Action { text: "Convert"; onTriggered: page.screen.btnConvert() }

    GridView {
        id: collectionviewImagePDFPreview
        objectName: "collectionviewImagePDFPreview"
        anchors.fill: parent
        anchors.leftMargin: Theme.spacingMedium
        anchors.rightMargin: Theme.spacingMedium
        topMargin: Theme.spacingMedium
        bottomMargin: Theme.spacingMedium
        clip: true
        readonly property real side: page.screen ? page.screen.itemSide(width) : 0
        // Two cells a row; what the item side leaves over is the space between them.
        cellWidth: width / 2
        cellHeight: side + 18
        model: page.screen ? page.screen.pageImages : []
        delegate: Item {
            id: slot
            required property url modelData
            width: collectionviewImagePDFPreview.cellWidth
            height: collectionviewImagePDFPreview.cellHeight

            Rectangle {
                objectName: "CollectionViewCellImagePDFPreview"
                anchors.centerIn: parent
                width: collectionviewImagePDFPreview.side
                height: collectionviewImagePDFPreview.side
                color: Theme.surface
                border.color: Theme.border
                radius: 6
                Image {
                    objectName: "ivImage"
                    anchors.fill: parent
                    anchors.margins: 6
                    fillMode: Image.PreserveAspectFit
                    asynchronous: true
                    sourceSize: Qt.size(width * 2, height * 2)
                    source: slot.modelData
                }
            }
        }
    }
}
