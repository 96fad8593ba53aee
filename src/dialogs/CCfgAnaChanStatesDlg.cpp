#include "dialogs/CCfgAnaChanStatesDlg.h"

#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"

namespace {

// The base unit has 12 analog channels; its channels 12 to 15 exist only in the register map.
constexpr int kBaseUnitChannels = 12;

} // namespace

CCfgAnaChanStatesDlg::CCfgAnaChanStatesDlg()
    : CChannelStatesDlg(IDD_CFG_ANA_CHAN_STATES, idcAnaStateList) {}

std::string CCfgAnaChanStatesDlg::groupCaption(int panel) const {
    return AnalogPanelCaption(panel);
}

bool CCfgAnaChanStatesDlg::isChannelFitted(int panel, int channel) const {
    return panel != 0 || channel < kBaseUnitChannels;
}
