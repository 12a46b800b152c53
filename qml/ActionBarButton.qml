import QtQuick
import QtQuick.Controls
import Quire.Services

// A text button of a screen's bottom bar, in the app's green like the bar's right button.
ToolButton {
    id: control
    contentItem: Label {
        text: control.text
        color: control.enabled ? App.appGreenColor : "#999"
        font.pointSize: 14
        font.bold: true
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
