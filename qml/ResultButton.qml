import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire.Services

// A wide button under a result: filled green for the main action, outlined for the others.
Button {
    id: control
    property bool filled: false
    Layout.fillWidth: true
    Layout.preferredHeight: 48
    contentItem: Label {
        text: control.text
        font.bold: true
        color: control.filled ? "white" : App.appGreenColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        radius: 10
        color: control.filled ? (control.down ? Qt.darker(App.appGreenColor, 1.2) : App.appGreenColor)
                              : (control.down ? "#e8f5ec" : "white")
        border.color: App.appGreenColor
        border.width: control.filled ? 0 : 1.5
    }
}
