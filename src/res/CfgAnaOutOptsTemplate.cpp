#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr int16_t kGroupRight = 150;

constexpr ControlTemplate kControls[] = {
    {IDC_ANA_OUT_GROUP, ControlKind::GroupBox, "Panel 0, Channel 0", margin, margin,
     kGroupRight - margin, 38, StyleNone},
    {IdStatic, ControlKind::Static, "Default Output", 15, 24, 60, 8, StyleNone},
    {IDC_ANA_OUT_DEFAULT_OUTPUT, ControlKind::Edit, "", 80, 22, 62, 14, StyleBorder},
    configureButton(kGroupRight),
    cancelButton(kGroupRight),
};

} // namespace

const DialogTemplate kCfgAnaOutOptsTemplate = {
    IDD_CFG_ANA_OUT_OPTS,
    "cfg-analog-output-options",
    "Configure Analog Output Options",
    dialogWidth(kGroupRight),
    52,
    kControls,
};
