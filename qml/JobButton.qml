import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// One of the home screen's job buttons: a glyph over a label on a green tile.
Button {
    id: control
    property string glyph
    Accessible.name: text
    Layout.fillWidth: true
    Layout.preferredHeight: 76
    contentItem: Column {
        spacing: Theme.spacingSmall
        Label {
            text: control.glyph
            Accessible.ignored: true // a picture of the job, not words
            color: Theme.textOnAccent
            font.pixelSize: Theme.fontGlyphPixels
            anchors.horizontalCenter: parent.horizontalCenter
        }
        Label {
            text: control.text
            color: Theme.textOnAccent
            font.bold: true
            anchors.horizontalCenter: parent.horizontalCenter
        }
    }
    background: Rectangle {
        radius: 12
        color: control.down ? Theme.accentPressed : Theme.appGreenColor
    }
}
