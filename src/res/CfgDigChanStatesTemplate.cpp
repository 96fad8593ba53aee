#include "res/ConfigureDialogLayout.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace {

using namespace ConfigureDialogLayout;

constexpr ChannelGrid kGrid{IDC_CHAN_STATES_GROUP, "Digital Panel", ControlKind::ComboBox, 56};
constexpr auto kControls = channelGridControls(kGrid, idcDigStateList, idcDigStateLabel);

} // namespace

const DialogTemplate kCfgDigChanStatesTemplate = {
    IDD_CFG_DIG_CHAN_STATES,
    "cfg-digital-channel-states",
    "Configure Digital Channel States",
    dialogWidth(gridGroupRight(kGrid)),
    gridDialogHeight(),
    kControls,
};
