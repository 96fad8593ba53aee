#pragma once

#include "dialogs/CChannelStatesDlg.h"

// Sets each channel of one digital panel to "Vacant", "Input" or "Output".
class CCfgDigChanStatesDlg : public CChannelStatesDlg {
public:
    CCfgDigChanStatesDlg();

protected:
    std::string groupCaption(int panel) const override;
};
