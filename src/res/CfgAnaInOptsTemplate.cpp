#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr int16_t kGroupRight = 150;

constexpr ControlTemplate kControls[] = {
    {IDC_ANA_IN_GROUP, ControlKind::GroupBox, "Panel 0, Channel 0", margin, margin,
     kGroupRight - margin, 38, StyleNone},
    {IdStatic, ControlKind::Static, "Average Weight", 15, 24, 60, 8, StyleNone},
    {IDC_ANA_IN_AVERAGE_WEIGHT, ControlKind::ComboBox, "", 80, 22, 62, 80, StyleNone},
    configureButton(kGroupRight),
    cancelButton(kGroupRight),
};

} // namespace

const DialogTemplate kCfgAnaInOptsTemplate = {
    IDD_CFG_ANA_IN_OPTS,
    "cfg-analog-input-options",
    "Configure Analog Input Options",
    dialogWidth(kGroupRight),
    52,
    kControls,
};
