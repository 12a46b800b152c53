// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Quire

// Base of every screen's page (each declares its typed screen): bar buttons for the bar.
Page {
    id: page
    // Bar buttons; a null left action gives the stack's own back button.
    property Action leftAction: null
    property Action rightAction: null
    property bool hidesBackButton: false
    property color rightTint: Theme.appGreenColor
    background: Rectangle { color: Theme.appWhiteColor }
    // The stack has destroyed this page; its screen may go now.
    signal gone()
    Component.onDestruction: gone()
}
