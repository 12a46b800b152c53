// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Quire

// The one window: navigation bar, the stack that mirrors the navigator, overlay and alerts.
ApplicationWindow {
    id: window
    width: 390
    height: 844
    visible: true
    title: "Quire"
    color: Theme.appWhiteColor
    Material.theme: Theme.dark ? Material.Dark : Material.Light
    Material.accent: Theme.appGreenColor

    header: NavigationBar {
        visible: !Navigator.navigationBarHidden
        stack: stack
    }

    StackView {
        id: stack
        objectName: "stack"
        anchors.fill: parent
    }

    ScreenPages { id: pages }

    Connections {
        target: Navigator
        function onPushed(screen) {
            const shown = pages.pageFor(screen)
            const page = (shown ? stack.push(shown, { "screen": screen }) : stack.push(pages.blank)) as ScreenPage
            page.gone.connect(() => Navigator.release(screen))
        }
        function onPopped(depth: int) {
            stack.pop(stack.get(depth - 1))
        }
    }

    FileDropArea { anchors.fill: parent }
    WindowKeys { stack: stack }
    ShareSheetView {}
    HudView {}
    AlertView {}
}
