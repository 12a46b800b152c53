// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T
import Quire

// The window's keys: Esc and Alt+Left go back (Backspace too, unless a text field has the
// keyboard), Ctrl+O opens a PDF, Ctrl+S saves, Ctrl+C copies. Each calls the action the page's
// own buttons call.
Item {
    id: keys
    required property T.StackView stack
    readonly property var page: stack.currentItem
    readonly property var screen: page ? page.screen : null
    // Keys wait while an alert or a sheet has the user's attention.
    readonly property bool free: !Alerts.showing && !Share.showing && !stack.busy
    readonly property Item focused: stack.Window.activeFocusItem
    readonly property bool editing: focused instanceof TextInput || focused instanceof TextEdit

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
        sequences: ["Esc", "Alt+Left", "Back"]
        enabled: keys.free
        onActivated: keys.back()
    }
    Shortcut {
        sequences: ["Backspace"]
        enabled: keys.free && !keys.editing
        onActivated: keys.back()
    }
    Shortcut {
        sequences: ["Ctrl+O"]
        enabled: keys.free
        onActivated: keys.call("btnPDFToImage")
    }
    Shortcut {
        sequences: ["Ctrl+S"]
        enabled: keys.free
        onActivated: keys.call("btnSave") || keys.call("btnShare")
    }
    Shortcut {
        sequences: ["Ctrl+C"]
        enabled: keys.free
        onActivated: keys.call("btnCopy")
    }
}
