// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Shapes
import Quire

// A photo with its page's outline drawn over it and a handle on each corner.
Item {
    id: editor
    required property AdjustScreen screen
    // The outline's corners as fractions of the photo, top-left first.
    readonly property var corners: screen.corners
    readonly property bool outlined: corners.length === 4

    Image {
        id: photo
        objectName: "adjustPhoto"
        anchors.fill: parent
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        sourceSize.width: width * Screen.devicePixelRatio
        sourceSize.height: height * Screen.devicePixelRatio
        source: editor.screen.photoUrl
        Accessible.role: Accessible.Graphic
        Accessible.name: qsTr("Photo %1").arg(editor.screen.currentIndex + 1)
    }
    // The painted picture inside the photo's item: corners are fractions of it.
    Item {
        id: area
        x: (photo.width - photo.paintedWidth) / 2
        y: (photo.height - photo.paintedHeight) / 2
        width: photo.paintedWidth
        height: photo.paintedHeight
        visible: editor.outlined && photo.status === Image.Ready

        Shape {
            anchors.fill: parent
            ShapePath {
                strokeColor: Theme.outline
                strokeWidth: 2
                fillColor: Theme.outlineFill
                PathPolyline {
                    path: editor.outlined
                          ? editor.corners.concat([editor.corners[0]])
                                .map(p => Qt.point(p.x * area.width, p.y * area.height))
                          : []
                }
            }
        }
        Repeater {
            id: handles
            model: [qsTr("Top-left corner"), qsTr("Top-right corner"), qsTr("Bottom-right corner"),
                    qsTr("Bottom-left corner")]
            delegate: CornerHandle {
                screen: editor.screen
                area: area
            }
        }
    }
    // While a finger covers a corner, the photo around it is shown enlarged a little way above.
    Magnifier {
        id: magnifier
        objectName: "magnifier"
        readonly property CornerHandle held: {
            for (let i = 0; i < handles.count; ++i) {
                const handle = handles.itemAt(i) as CornerHandle
                if (handle && handle.dragging)
                    return handle
            }
            return null
        }
        visible: held !== null
        source: photo.source
        shown: Qt.size(area.width, area.height)
        spot: held ? Qt.point(held.x + held.width / 2, held.y + held.height / 2) : Qt.point(0, 0)
        x: Math.max(0, Math.min(editor.width - width, area.x + spot.x - width / 2))
        y: area.y + spot.y - height - Theme.spacingLarge >= 0
           ? area.y + spot.y - height - Theme.spacingLarge
           : area.y + spot.y + Theme.spacingLarge
    }
    BusyIndicator {
        anchors.centerIn: parent
        running: !editor.outlined
        visible: running
        Accessible.name: qsTr("Looking for the page")
    }
}
