#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr int16_t kGroupRight = 150;

constexpr ControlTemplate kControls[] = {
    {IDC_DIG_OUT_GROUP, ControlKind::GroupBox, "Panel 0, Channel 0", margin, margin,
     kGroupRight - margin, 38, StyleNone},
    {IdStatic, ControlKind::Static, "Default Output", 15, 24, 60, 8, StyleNone},
    {IDC_DIG_OUT_DEFAULT_OUTPUT, ControlKind::ComboBox, "", 80, 22, 62, 80, StyleNone},
    configureButton(kGroupRight),
    cancelButton(kGroupRight),
};

} // namespace

const DialogTemplate kCfgDigOutOptsTemplate = {
    IDD_CFG_DIG_OUT_OPTS,
    "cfg-digital-output-options",
    "Configure Digital Output Options",
    dialogWidth(kGroupRight),
    52,
    kControls,
};
