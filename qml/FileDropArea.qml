// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Quire

// Files dropped anywhere on the window open as from the command line: photos in drop order in
// Images to PDF, a PDF in PDF to Images.
DropArea {
    id: drop
    objectName: "fileDropArea"
    keys: ["text/uri-list"]
    onEntered: (drag) => { drag.accepted = Opener.accepts(drag.urls) }
    onDropped: (event) => {
        Opener.open(event.urls)
        event.acceptProposedAction()
    }

    Rectangle {
        anchors.fill: parent
        anchors.margins: Theme.spacing
        visible: drop.containsDrag
        color: Theme.none
        border.color: Theme.appGreenColor
        border.width: 3
        radius: Theme.radiusLarge
    }
}
