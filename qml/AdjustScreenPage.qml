// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Adjust: each photo with its page's outline to correct and, below it on a phone or beside it on
// a wide window, the corrected page with its filter and turns. Done corrects every photo.
ScreenPage {
    id: page
    required property AdjustScreen screen
    readonly property bool wide: width > 700
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }
    rightAction: Action {
        text: qsTr("Done")
        enabled: page.screen.count > 0 && !page.screen.adjusting
        onTriggered: page.screen.btnDone()
    }

    GridLayout {
        anchors.fill: parent
        anchors.margins: Theme.spacingMedium
        columns: page.wide ? 2 : 1
        rowSpacing: Theme.spacingMedium
        columnSpacing: Theme.spacingLarge

        OutlineEditor {
            screen: page.screen
            Layout.fillWidth: true
            Layout.fillHeight: true
        }
        AdjustPanel {
            screen: page.screen
            wide: page.wide
            Layout.fillWidth: !page.wide
            Layout.fillHeight: page.wide
            Layout.preferredWidth: page.wide ? 360 : -1
        }
    }
}
