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
        Accessible.name: "Photo " + (editor.screen.currentIndex + 1)
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
            model: ["Top-left corner", "Top-right corner", "Bottom-right corner",
                    "Bottom-left corner"]
            delegate: CornerHandle {
                screen: editor.screen
                area: area
            }
        }
    }
    BusyIndicator {
        anchors.centerIn: parent
        running: !editor.outlined
        visible: running
        Accessible.name: "Looking for the page"
    }
}
