// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// Shows its content fitted, and zoomed up to four times: Ctrl+wheel zooms where the pointer is,
// Ctrl+plus and Ctrl+minus about the middle, a double click goes in or back out, Ctrl+0 fits
// again. Zoomed in, the content is dragged or scrolled about.
Flickable {
    id: view
    property real zoom: 1
    readonly property real maxZoom: 4
    contentWidth: width * zoom
    contentHeight: height * zoom
    interactive: zoom > 1
    boundsBehavior: Flickable.StopAtBounds
    clip: true

    // Zooms to wanted keeping the content point under (x, y) of the view where it is.
    function zoomTo(wanted: real, x: real, y: real) {
        const z = Math.max(1, Math.min(maxZoom, wanted))
        const px = (contentX + x) / zoom, py = (contentY + y) / zoom
        zoom = z
        contentX = Math.max(0, Math.min(contentWidth - width, px * z - x))
        contentY = Math.max(0, Math.min(contentHeight - height, py * z - y))
    }
    function zoomBy(factor: real) { zoomTo(zoom * factor, width / 2, height / 2) }
    // The same about a point a handler gives (handlers may sit on the content).
    function zoomAt(z: real, handler: Item, x: real, y: real) {
        const at = view.mapFromItem(handler, x, y)
        zoomTo(z, at.x, at.y)
    }

    // Wherever the keyboard is on the page, while the page shows.
    Shortcut {
        sequences: ["Ctrl++", "Ctrl+="]
        enabled: view.visible
        onActivated: view.zoomBy(1.5)
    }
    Shortcut {
        sequences: ["Ctrl+-"]
        enabled: view.visible
        onActivated: view.zoomBy(1 / 1.5)
    }
    Shortcut {
        sequences: ["Ctrl+0"]
        enabled: view.visible
        onActivated: view.zoomTo(1, 0, 0)
    }
    WheelHandler {
        id: wheel
        target: null
        acceptedModifiers: Qt.ControlModifier
        onWheel: (event) => view.zoomAt(view.zoom * Math.pow(1.5, event.angleDelta.y / 120),
                                        wheel.parent, event.x, event.y)
    }
    TapHandler {
        id: taps
        onDoubleTapped: (eventPoint) => view.zoomAt(view.zoom > 1 ? 1 : 2.5, taps.parent,
                                                    eventPoint.position.x, eventPoint.position.y)
    }
}
