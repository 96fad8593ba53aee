#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr int16_t kGroupRight = 226;

// Enter in the scan list confirms the dialog, as in the other fields: the list is parted by
// commas, never by lines.
constexpr ControlTemplate kControls[] = {
    {IdStatic, ControlKind::GroupBox, "User-Defined Scan Parameters", margin, margin,
     kGroupRight - margin, 124, StyleNone},
    {IdStatic, ControlKind::Static, "Scan Interval (ms)", 15, 24, 72, 8, StyleNone},
    {IDC_SCAN_INTERVAL, ControlKind::Edit, "", 92, 22, 56, 14, StyleBorder},
    {IdStatic, ControlKind::Static, "Scan Count", 15, 42, 72, 8, StyleNone},
    {IDC_SCAN_COUNT, ControlKind::Edit, "", 92, 40, 56, 14, StyleBorder},
    {IdStatic, ControlKind::Static, "Scan List", 15, 62, 72, 8, StyleNone},
    {IDC_SCAN_LIST, ControlKind::Edit, "", 15, 73, kGroupRight - 23, 50,
     StyleBorder | StyleMultiline},
    configureButton(kGroupRight),
    cancelButton(kGroupRight),
};

} // namespace

const DialogTemplate kCfgAnaScanParmsTemplate = {
    IDD_CFG_ANA_SCAN_PARMS,
    "cfg-scan-parameters",
    "Configure Scan Parameters",
    dialogWidth(kGroupRight),
    138,
    kControls,
};
