#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr ChannelGrid kGrid{IDC_CHAN_STATES_GROUP, "Analog Panel", ControlKind::ComboBox, 56};
constexpr auto kControls = channelGridControls(kGrid, idcAnaStateList, idcAnaStateLabel);

} // namespace

const DialogTemplate kCfgAnaChanStatesTemplate = {
    IDD_CFG_ANA_CHAN_STATES,
    "cfg-analog-channel-states",
    "Configure Analog Channel States",
    dialogWidth(gridGroupRight(kGrid)),
    gridDialogHeight(),
    kControls,
};
