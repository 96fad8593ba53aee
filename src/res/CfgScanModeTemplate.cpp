#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr int16_t kGroupRight = 160;

constexpr ControlTemplate kControls[] = {
    {IdStatic, ControlKind::GroupBox, "Scan Parameters", margin, margin, kGroupRight - margin, 38,
     StyleNone},
    {IdStatic, ControlKind::Static, "Scan Mode", 15, 24, 48, 8, StyleNone},
    {IDC_SCAN_MODE, ControlKind::ComboBox, "", 66, 22, 86, 60, StyleNone},
    configureButton(kGroupRight),
    cancelButton(kGroupRight),
};

} // namespace

const DialogTemplate kCfgScanModeTemplate = {
    IDD_CFG_SCAN_MODE, "cfg-scan-mode", "Configure Analog Scan Mode", dialogWidth(kGroupRight), 52,
    kControls,
};
