#pragma once

#include "device/PanelLayout.h"

#include <array>
#include <cstdint>

// One configured channel of a panel as the live views poll it.
struct ChannelEntry {
    int32_t channel = 0;
    bool isInput = false;
    int32_t value = 0;  // last read or written
    bool shown = false; // its line is in the list
};

// The configured channels of one panel, in ascending channel order; the first `count` entries
// are used.
struct PanelChannels {
    uint32_t count = 0;
    std::array<ChannelEntry, PanelLayout::channelsPerPanel> entries{};
};

// Which side of the unit a panel belongs to; the values are the quick view's panel kinds.
enum class PanelKind : int32_t { analog = 0, digital = 1 };
