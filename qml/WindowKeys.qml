// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Quire

// The window's keys: Esc and Alt+Left go back, Ctrl+O opens a PDF, Ctrl+S saves, Ctrl+C copies.
// Each calls the action the page's own buttons call.
Item {
    id: keys
    required property StackView stack
    readonly property var page: stack.currentItem
    readonly property var screen: page ? page.screen : null
    // Keys wait while an alert or a sheet has the user's attention.
    readonly property bool free: !Alerts.showing && !Share.showing && !stack.busy

    function call(name: string): bool {
        if (!screen || typeof screen[name] !== "function")
            return false
        screen[name]()
        return true
    }
    function back() {
        if (!page || page.hidesBackButton)
            return
        if (page.leftAction)
            page.leftAction.trigger()
        else if (Navigator.depth > 1)
            Navigator.pop()
    }

    Shortcut {
        sequences: [StandardKey.Back, "Esc", "Alt+Left"]
        enabled: keys.free
        onActivated: keys.back()
    }
    Shortcut {
        sequences: [StandardKey.Open]
        enabled: keys.free
        onActivated: keys.call("btnPDFToImage")
    }
    Shortcut {
        sequences: [StandardKey.Save]
        enabled: keys.free
        onActivated: keys.call("btnSave") || keys.call("btnShare")
    }
    Shortcut {
        sequences: [StandardKey.Copy]
        enabled: keys.free
        onActivated: keys.call("btnCopy")
    }
}
