#pragma once

#include "dialogs/CChannelStatesDlg.h"

// Sets each channel of one analog panel to "Vacant", "Input" or "Output".
class CCfgAnaChanStatesDlg : public CChannelStatesDlg {
public:
    CCfgAnaChanStatesDlg();

protected:
    std::string groupCaption(int panel) const override;
    bool isChannelFitted(int panel, int channel) const override;
};
