#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr int16_t kGroupRight = 200;
constexpr int16_t kOctetX = 82;
constexpr int16_t kOctetWidth = 22;
constexpr int16_t kOctetStep = 27;

constexpr ControlTemplate octet(int firstId, int octet, int16_t y) {
    return {firstId + octet,
            ControlKind::Edit,
            "",
            static_cast<int16_t>(kOctetX + octet * kOctetStep),
            y,
            kOctetWidth,
            14,
            StyleBorder};
}

constexpr ControlTemplate dot(int octet, int16_t y) {
    return {IdStatic,
            ControlKind::Static,
            ".",
            static_cast<int16_t>(kOctetX + octet * kOctetStep + kOctetWidth + 1),
            static_cast<int16_t>(y + 3),
            3,
            8,
            StyleNone};
}

constexpr ControlTemplate kControls[] = {
    {IDC_TCP_GROUP, ControlKind::GroupBox, "Modbus TCP Parameters", margin, margin,
     kGroupRight - margin, 92, StyleNone},
    {IdStatic, ControlKind::Static, "IP Address", 15, 24, 64, 8, StyleNone},
    octet(IDC_TCP_IP_ADDRESS_0, 0, 22),
    dot(0, 22),
    octet(IDC_TCP_IP_ADDRESS_0, 1, 22),
    dot(1, 22),
    octet(IDC_TCP_IP_ADDRESS_0, 2, 22),
    dot(2, 22),
    octet(IDC_TCP_IP_ADDRESS_0, 3, 22),
    {IdStatic, ControlKind::Static, "Subnet Mask", 15, 42, 64, 8, StyleNone},
    octet(IDC_TCP_SUBNET_MASK_0, 0, 40),
    dot(0, 40),
    octet(IDC_TCP_SUBNET_MASK_0, 1, 40),
    dot(1, 40),
    octet(IDC_TCP_SUBNET_MASK_0, 2, 40),
    dot(2, 40),
    octet(IDC_TCP_SUBNET_MASK_0, 3, 40),
    {IdStatic, ControlKind::Static, "Gateway", 15, 60, 64, 8, StyleNone},
    octet(IDC_TCP_GATEWAY_0, 0, 58),
    dot(0, 58),
    octet(IDC_TCP_GATEWAY_0, 1, 58),
    dot(1, 58),
    octet(IDC_TCP_GATEWAY_0, 2, 58),
    dot(2, 58),
    octet(IDC_TCP_GATEWAY_0, 3, 58),
    {IdStatic, ControlKind::Static, "Keepalive Timeout", 15, 78, 64, 8, StyleNone},
    {IDC_TCP_KEEPALIVE, ControlKind::Edit, "", kOctetX, 76, 49, 14, StyleBorder},
    {IdStatic, ControlKind::Static, "(seconds)", 136, 78, 50, 8, StyleNone},
    configureButton(kGroupRight),
    cancelButton(kGroupRight),
};

} // namespace

const DialogTemplate kCfgTcpParmsTemplate = {
    IDD_CFG_TCP_PARMS,
    "cfg-tcp-interface",
    "Configure Modbus TCP Interface",
    dialogWidth(kGroupRight),
    106,
    kControls,
};
