#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr int16_t kGroupRight = 192;

constexpr ControlTemplate kControls[] = {
    {IdStatic, ControlKind::GroupBox, "Modbus RTU Parameters", margin, margin, kGroupRight - margin,
     92, StyleNone},
    {IdStatic, ControlKind::Static, "Serial Interface", 15, 24, 90, 8, StyleNone},
    {IDC_RTU_SERIAL_INTERFACE, ControlKind::ComboBox, "", 110, 22, 74, 80, StyleNone},
    {IdStatic, ControlKind::Static, "Baud Rate", 15, 42, 90, 8, StyleNone},
    {IDC_RTU_BAUD_RATE, ControlKind::ComboBox, "", 110, 40, 74, 80, StyleNone},
    {IdStatic, ControlKind::Static, "Parity", 15, 60, 90, 8, StyleNone},
    {IDC_RTU_PARITY, ControlKind::ComboBox, "", 110, 58, 74, 80, StyleNone},
    {IdStatic, ControlKind::Static, "Slave ID (Upper 4-bits)", 15, 78, 90, 8, StyleNone},
    {IDC_RTU_SLAVE_ID_HIGH, ControlKind::ComboBox, "", 110, 76, 74, 80, StyleNone},
    configureButton(kGroupRight),
    cancelButton(kGroupRight),
};

} // namespace

const DialogTemplate kCfgRtuParmsTemplate = {
    IDD_CFG_RTU_PARMS,
    "cfg-rtu-interface",
    "Configure Modbus RTU Interface",
    dialogWidth(kGroupRight),
    106,
    kControls,
};
