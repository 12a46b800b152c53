// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T
import QtQuick.Layouts
import Quire

// White bar with a black title and black buttons, shared by every screen.
ToolBar {
    id: bar
    required property T.StackView stack
    readonly property ScreenPage page: stack.currentItem as ScreenPage
    objectName: "navigationBar"
    height: 52
    background: Rectangle { color: Theme.appWhiteColor }
    // Both sides as wide as the wider button's text, so a long "Convert" never runs into the
    // title and the title stays centred.
    readonly property real sideWidth: Math.max(90, leftButton.implicitWidth, rightButton.implicitWidth)

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: Theme.spacingSmall
        anchors.rightMargin: Theme.spacingSmall
        ToolButton {
            id: leftButton
            objectName: "leftBarButton"
            readonly property Action custom: bar.page ? bar.page.leftAction : null
            // Kept in the layout when hidden so the title stays centred.
            visible: true
            enabled: custom !== null ? custom.enabled : (Navigator.depth > 2 && bar.page !== null && !bar.page.hidesBackButton)
            text: custom ? custom.text : qsTr("‹ Back")
            icon.source: custom ? custom.icon.source : ""
            contentItem: Label {
                text: leftButton.text
                color: Theme.appBlackColor
                font.pointSize: Theme.fontBody
                horizontalAlignment: Text.AlignLeft
                verticalAlignment: Text.AlignVCenter
            }
            opacity: enabled ? 1 : 0
            Accessible.name: text
            Accessible.ignored: !enabled
            onClicked: custom ? custom.trigger() : Navigator.pop()
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            background: FocusRing { button: leftButton }
            Layout.preferredWidth: bar.sideWidth
        }
        Label {
            text: bar.page ? bar.page.title : ""
            color: Theme.appBlackColor
            font.family: Theme.titleFontFamily
            font.bold: true
            font.pixelSize: Theme.fontTitlePixels
            elide: Text.ElideMiddle
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
        }
        ToolButton {
            id: rightButton
            objectName: "rightBarButton"
            readonly property Action act: bar.page ? bar.page.rightAction : null
            visible: true
            enabled: act ? act.enabled : false
            text: act ? act.text : ""
            icon.source: act ? act.icon.source : ""
            contentItem: Label {
                text: rightButton.text
                color: bar.page ? bar.page.rightTint : Theme.appBlackColor
                font.pointSize: Theme.fontBody
                font.bold: true
                horizontalAlignment: Text.AlignRight
                verticalAlignment: Text.AlignVCenter
            }
            opacity: act === null ? 0 : (enabled ? 1 : 0.4)
            Accessible.name: text
            Accessible.ignored: act === null
            onClicked: act.trigger()
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            background: FocusRing { button: rightButton }
            Layout.preferredWidth: bar.sideWidth
        }
    }
}
