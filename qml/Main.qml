import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Quire.Services
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
        page: stack.currentItem
    }

    StackView {
        id: stack
        objectName: "stack"
        anchors.fill: parent
    }

    Connections {
        target: Navigator
        function onPushed(screen) {
            stack.push(Qt.resolvedUrl(screen.screenName + ".qml"), { "screen": screen })
        }
        function onPopped(depth) {
            stack.pop(stack.get(depth - 1))
        }
    }

    FileDropArea { anchors.fill: parent }
    WindowKeys { stack: stack }
    ShareSheetView {}
    HudView {}
    AlertView {}
}
