#pragma once

#include "device/PanelLayout.h"
#include "quickview/PanelChannels.h"

#include <array>

class CVtrConfigDoc;

// The channels worth polling: those configured as inputs or outputs in the channel states of
// the last refresh, per panel. Vacant channels, undecodable states and panels without a state
// image list nothing, nor do digital panels that were not found.
class ChannelLists {
public:
    // Fills every panel's list and returns the number of listed channels over all panels.
    int build(const CVtrConfigDoc& doc);

    PanelChannels& panel(PanelKind kind, int index);
    const PanelChannels& panel(PanelKind kind, int index) const;
    static int panelCount(PanelKind kind);
    void clearShown();

    std::array<PanelChannels, PanelLayout::analogPanels> analog{};
    std::array<PanelChannels, PanelLayout::digitalPanels> digital{};
};
