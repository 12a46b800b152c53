// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Quire

// A loupe showing part of a picture enlarged, with a cross at the point it looks at.
Item {
    id: loupe
    required property url source
    // The picture's size as shown, and the point looked at within it.
    property size shown
    property point spot
    readonly property real zoom: 2.5
    width: 120
    height: 120
    clip: true
    Accessible.ignored: true

    Rectangle { anchors.fill: parent; color: Theme.surface }
    Image {
        // The same picture drawn larger, moved so that the spot is at the loupe's centre.
        source: loupe.source
        asynchronous: true
        width: loupe.shown.width * loupe.zoom
        height: loupe.shown.height * loupe.zoom
        sourceSize.width: width
        sourceSize.height: height
        x: loupe.width / 2 - loupe.spot.x * loupe.zoom
        y: loupe.height / 2 - loupe.spot.y * loupe.zoom
    }
    Rectangle { anchors.centerIn: parent; width: 1; height: 16; color: Theme.outline }
    Rectangle { anchors.centerIn: parent; width: 16; height: 1; color: Theme.outline }
    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.color: Theme.outline
        border.width: 2
        radius: Theme.radius
    }
}
