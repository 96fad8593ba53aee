#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StandardControlIds.h"

namespace {

// The protocol choice on top, the serial parameters below it and the Ethernet ones at the
// bottom, each set in its own group so that the one not in use can be greyed as a whole.
constexpr int16_t kLabelX = 23;
constexpr int16_t kLabelWidth = 60;
constexpr int16_t kFieldX = 90;
constexpr int16_t kButtonX = 225;
constexpr int16_t kButtonWidth = 50;
constexpr int16_t kButtonHeight = 14;

constexpr ControlTemplate label(int id, const char* text, int16_t fieldY) {
    return {id,
            ControlKind::Static,
            text,
            kLabelX,
            static_cast<int16_t>(fieldY + 2),
            kLabelWidth,
            8,
            StyleNone};
}

constexpr ControlTemplate kControls[] = {
    {IDC_CONN_OPTIONS_GROUP, ControlKind::GroupBox, "Connect Options", 7, 7, 208, 172, StyleNone},
    {IDC_CONN_PROTOCOL_LABEL, ControlKind::Static, "Protocol", 15, 23, 50, 8, StyleNone},
    {IDC_CONN_PROTOCOL, ControlKind::ComboBox, "", kFieldX, 21, 90, 80, StyleNone},

    {IDC_CONN_RTU_GROUP, ControlKind::GroupBox, "Modbus RTU Parameters", 15, 40, 192, 84,
     StyleNone},
    label(IDC_CONN_COM_PORT_LABEL, "COM Port", 54),
    {IDC_CONN_COM_PORT, ControlKind::Edit, "", kFieldX, 54, 40, 14, StyleBorder},
    label(IDC_CONN_SLAVE_ID_LABEL, "Slave ID", 71),
    {IDC_CONN_SLAVE_ID, ControlKind::Edit, "", kFieldX, 71, 40, 14, StyleBorder},
    label(IDC_CONN_BAUD_RATE_LABEL, "Baud Rate", 88),
    {IDC_CONN_BAUD_RATE, ControlKind::ComboBox, "", kFieldX, 88, 60, 80, StyleNone},
    label(IDC_CONN_PARITY_LABEL, "Parity", 105),
    {IDC_CONN_PARITY, ControlKind::ComboBox, "", kFieldX, 105, 60, 80, StyleNone},

    {IDC_CONN_TCP_GROUP, ControlKind::GroupBox, "Modbus TCP Parameters", 15, 128, 192, 46,
     StyleNone},
    label(IDC_CONN_SERVER_LABEL, "Server", 141),
    {IDC_CONN_SERVER, ControlKind::Edit, "", kFieldX, 141, 108, 14, StyleBorder},
    label(IDC_CONN_TCP_PORT_LABEL, "TCP Port", 158),
    {IDC_CONN_TCP_PORT, ControlKind::Edit, "", kFieldX, 158, 40, 14, StyleBorder},

    {IDOK, ControlKind::Button, "Connect", kButtonX, 7, kButtonWidth, kButtonHeight, StyleDefault},
    {IDC_CONN_OK, ControlKind::Button, "OK", kButtonX, 24, kButtonWidth, kButtonHeight, StyleNone},
    {IDCANCEL, ControlKind::Button, "Cancel", kButtonX, 41, kButtonWidth, kButtonHeight, StyleNone},
};

} // namespace

const DialogTemplate kMakeConnectionTemplate = {
    IDD_MAKE_CONNECTION, "connect-options", "Configure Connect Options", 282, 186, kControls,
};
