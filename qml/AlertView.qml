import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quire

// Shows the front alert of the alert queue with its buttons in order.
Dialog {
    id: alert
    objectName: "alert"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(parent.width - 60, 300)
    modal: true
    closePolicy: Popup.NoAutoClose
    visible: Alerts.showing
    title: Alerts.title
    contentItem: Label {
        text: Alerts.message
        wrapMode: Text.Wrap
    }
    footer: RowLayout {
        spacing: 0
        Repeater {
            model: Alerts.buttons
            Button {
                required property string modelData
                required property int index
                text: modelData
                flat: true
                Layout.fillWidth: true
                onClicked: Alerts.respond(index)
            }
        }
    }
}
