// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick
import Quire

// The one place for the app's colours, spacing, type sizes and artwork.
QtObject {
    // Follows the desktop's light or dark preference; the light scheme is the original green, white and black.
    property bool dark: Appearance.dark

    readonly property color appGreenColor: Qt.rgba(0, 182 / 255, 87 / 255, 1)
    readonly property color appWhiteColor: dark ? "#000000" : "#ffffff"
    readonly property color appBlackColor: dark ? "#ffffff" : "#000000"

    // Roles, built on the three colours above.
    readonly property color background: appWhiteColor
    readonly property color text: appBlackColor
    readonly property color textOnAccent: "#ffffff"
    readonly property color secondaryText: dark ? "#a0a0a0" : "#666666"
    readonly property color hintText: dark ? "#8a8a8a" : "#888888"
    readonly property color disabledText: "#999999"
    readonly property color surface: dark ? "#1c1c1e" : "#f2f2f2"
    readonly property color border: dark ? "#3a3a3c" : "#dddddd"
    readonly property color error: "#b3261e"
    readonly property color accentPressed: Qt.darker(appGreenColor, 1.2)
    readonly property color accentTint: dark ? "#0d3320" : "#e8f5ec"
    readonly property color paper: "#ffffff"
    // The page's outline over a photo, and the shade inside it.
    readonly property color outline: appGreenColor
    readonly property color outlineFill: "#3300b657"
    readonly property color badge: "#99000000"
    readonly property color hud: "#ee1c1c1e"
    readonly property color scrimEdge: "#10000000"
    readonly property color scrimCentre: "#60000000"
    readonly property color none: "transparent"
    // The ring round whatever the keyboard is on.
    readonly property color focusRing: dark ? "#8ee6b0" : "#005c2c"
    readonly property int focusRingWidth: 3

    readonly property int spacingSmall: 4
    readonly property int spacing: 8
    readonly property int spacingMedium: 12
    readonly property int spacingLarge: 16
    readonly property int radius: 10
    readonly property int radiusLarge: 14
    // The widest a form or a text runs on a desktop window.
    readonly property int readableWidth: 640

    readonly property real fontBody: 14
    readonly property real fontHeading: 15
    readonly property real fontLarge: 16
    readonly property real fontDisplay: 28
    readonly property int fontTitlePixels: 18
    readonly property int fontGlyphPixels: 24
    readonly property int fontMarkPixels: 36

    // Falls back to the default font where "Product Sans" is not installed.
    readonly property string titleFontFamily: "Product Sans"

    readonly property url placeholderImage: asset("placeholder")
    readonly property url selectImage: asset("select")
    readonly property url unselectImage: asset("unselect")
    readonly property url pdfIconImage: asset("pdf")
    readonly property url iconImage: asset("icon")

    function asset(name: string): url {
        return Qt.resolvedUrl("assets/" + name + ".svg")
    }
}
