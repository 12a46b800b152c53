import QtQuick
import QtQuick.Controls
import Quire

// Base of every screen's page: binds the screen object and offers bar buttons to the bar.
Page {
    id: page
    property QtObject screen
    // Bar buttons; a null left action gives the stack's own back button.
    property Action leftAction: null
    property Action rightAction: null
    property bool hidesBackButton: false
    property color rightTint: Theme.appGreenColor
    title: screen ? screen.title : ""
    background: Rectangle { color: Theme.appWhiteColor }
}
