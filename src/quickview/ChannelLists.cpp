#include "quickview/ChannelLists.h"

#include "device/CVtrConfigDoc.h"
#include "device/ChannelState.h"

namespace {

template <typename StateOf>
void listPanel(PanelChannels& list, StateOf stateOf) {
    list = PanelChannels{};
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        const int16_t* state = stateOf(channel);
        if (state == nullptr || (*state != ChannelState::input && *state != ChannelState::output)) {
            continue;
        }
        ChannelEntry& entry = list.entries[list.count++];
        entry.channel = channel;
        entry.isInput = *state == ChannelState::input;
    }
}

} // namespace

int ChannelLists::build(const CVtrConfigDoc& doc) {
    int total = 0;
    for (int p = 0; p < PanelLayout::analogPanels; ++p) {
        listPanel(analog[p], [&](int ch) { return doc.getAnalogChannelState(p, ch); });
        total += static_cast<int>(analog[p].count);
    }
    for (int p = 0; p < PanelLayout::digitalPanels; ++p) {
        if (doc.isDigitalPanelAvailable(p)) {
            listPanel(digital[p], [&](int ch) { return doc.getDigitalChannelState(p, ch); });
        } else {
            digital[p] = PanelChannels{};
        }
        total += static_cast<int>(digital[p].count);
    }
    return total;
}

PanelChannels& ChannelLists::panel(PanelKind kind, int index) {
    return kind == PanelKind::analog ? analog.at(index) : digital.at(index);
}

const PanelChannels& ChannelLists::panel(PanelKind kind, int index) const {
    return kind == PanelKind::analog ? analog.at(index) : digital.at(index);
}

int ChannelLists::panelCount(PanelKind kind) {
    return kind == PanelKind::analog ? PanelLayout::analogPanels : PanelLayout::digitalPanels;
}

void ChannelLists::clearShown() {
    for (PanelChannels& list : analog) {
        for (ChannelEntry& entry : list.entries) {
            entry.shown = false;
        }
    }
    for (PanelChannels& list : digital) {
        for (ChannelEntry& entry : list.entries) {
            entry.shown = false;
        }
    }
}
