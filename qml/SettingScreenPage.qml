// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Settings: share, rate, more apps, and where Quire keeps its files.
ScreenPage {
    id: page
    required property SettingScreen screen
    title: screen.title
    leftAction: Action { text: qsTr("‹ Back"); onTriggered: page.screen.btnBack() }

    ColumnLayout {
        // Wide windows keep the form at a readable width, centred.
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.margins: Theme.spacingLarge
        width: Math.min(parent.width - 2 * Theme.spacingLarge, Theme.readableWidth)
        spacing: 10

        SettingRow { objectName: "btnShareApp"; text: qsTr("Share App"); detail: qsTr("Tell a friend about Quire"); onClicked: page.screen.btnShareApp() }
        SettingRow { objectName: "btnRateApp"; text: qsTr("Rate App"); detail: qsTr("Write a review"); onClicked: page.screen.btnRateApp() }
        SettingRow { objectName: "btnMoreApps"; text: qsTr("More Apps"); detail: qsTr("Other apps by the maker"); onClicked: page.screen.btnMoreApps() }

        Label { text: qsTr("Appearance"); font.bold: true; font.pointSize: Theme.fontHeading; color: Theme.appBlackColor; Layout.topMargin: Theme.spacingMedium }
        RowLayout {
            Layout.fillWidth: true
            Label { text: qsTr("Colours"); color: Theme.text; Layout.fillWidth: true }
            ComboBox {
                objectName: "colorScheme"
                Accessible.name: qsTr("Colours")
                textRole: "text"
                valueRole: "value"
                // System follows the desktop's light or dark setting.
                model: [{ text: qsTr("System"), value: "system" }, { text: qsTr("Light"), value: "light" },
                        { text: qsTr("Dark"), value: "dark" }]
                currentIndex: Appearance.choice === "dark" ? 2 : Appearance.choice === "light" ? 1 : 0
                onActivated: Appearance.choice = currentValue
            }
        }

        Label { text: qsTr("Photos"); font.bold: true; font.pointSize: Theme.fontHeading; color: Theme.appBlackColor; Layout.topMargin: Theme.spacingMedium }
        SwitchDelegate {
            id: keepLocation
            objectName: "keepLocation"
            Layout.fillWidth: true
            text: qsTr("Keep location in compressed photos")
            Accessible.name: text
            // Wrapped rather than cut off on a phone-wide window.
            contentItem: Label {
                text: keepLocation.text
                font: keepLocation.font
                color: Theme.text
                wrapMode: Text.Wrap
                verticalAlignment: Text.AlignVCenter
                rightPadding: keepLocation.indicator.width + keepLocation.spacing
            }
            checked: page.screen.keepLocation
            onToggled: page.screen.keepLocation = checked
        }

        Label { text: qsTr("Files"); font.bold: true; font.pointSize: Theme.fontHeading; color: Theme.appBlackColor; Layout.topMargin: Theme.spacingMedium }
        SettingRow {
            objectName: "historyFolder"
            text: qsTr("Made by Quire")
            detail: page.screen.historyFolder
            onClicked: page.screen.openFolder(page.screen.historyFolder)
        }
        SettingRow {
            objectName: "photoLibraryFolder"
            text: qsTr("Photo library")
            detail: page.screen.photoLibraryFolder
            onClicked: page.screen.openFolder(page.screen.photoLibraryFolder)
        }
        LanguagesSection { languages: page.screen.languages; Layout.fillWidth: true }
        Item { Layout.fillHeight: true }
        Label {
            objectName: "version"
            text: qsTr("Quire %1").arg(page.screen.version)
            color: Theme.hintText
            Layout.alignment: Qt.AlignHCenter
        }
    }
}
