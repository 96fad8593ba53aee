#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr ChannelGrid kGrid{IDC_MULT_DIG_OUT_GROUP, "Digital Panel", ControlKind::ComboBox, 40};
constexpr auto kControls = channelGridControls(kGrid, idcMultDigOutList, idcMultDigOutLabel);

} // namespace

const DialogTemplate kCfgMultDigOutOptsTemplate = {
    IDD_CFG_MULT_DIG_OUT_OPTS,
    "cfg-digital-default-outputs",
    "Configure Digital Output Default Outputs",
    dialogWidth(gridGroupRight(kGrid)),
    gridDialogHeight(),
    kControls,
};
