#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr ChannelGrid kGrid{IDC_MULT_ANA_OUT_GROUP, "Analog Panel", ControlKind::Edit, 48};
constexpr auto kControls = channelGridControls(kGrid, idcMultAnaOutEdit, idcMultAnaOutLabel);

} // namespace

const DialogTemplate kCfgMultAnaOutOptsTemplate = {
    IDD_CFG_MULT_ANA_OUT_OPTS,
    "cfg-analog-default-outputs",
    "Configure Analog Output Default Outputs",
    dialogWidth(gridGroupRight(kGrid)),
    gridDialogHeight(),
    kControls,
};
