#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr ChannelGrid kGrid{IDC_MULT_ANA_IN_GROUP, "Analog Panel", ControlKind::ComboBox, 56};
constexpr auto kControls = channelGridControls(kGrid, idcMultAnaInList, idcMultAnaInLabel);

} // namespace

const DialogTemplate kCfgMultAnaInOptsTemplate = {
    IDD_CFG_MULT_ANA_IN_OPTS,
    "cfg-average-weights",
    "Configure Analog Input Average Weights",
    dialogWidth(gridGroupRight(kGrid)),
    gridDialogHeight(),
    kControls,
};
