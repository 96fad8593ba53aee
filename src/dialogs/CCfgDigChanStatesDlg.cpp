#include "dialogs/CCfgDigChanStatesDlg.h"

#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"

CCfgDigChanStatesDlg::CCfgDigChanStatesDlg()
    : CChannelStatesDlg(IDD_CFG_DIG_CHAN_STATES, idcDigStateList) {}

std::string CCfgDigChanStatesDlg::groupCaption(int panel) const {
    return DigitalPanelCaption(panel);
}
