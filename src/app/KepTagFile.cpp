#include "app/KepTagFile.h"

#include "device/CVtrConfigDoc.h"
#include "device/ChannelState.h"
#include "device/PanelLayout.h"
#include "device/RegisterMap.h"

#include <algorithm>
#include <cstdio>

namespace {

// The OPC server reads the unit's input registers as holding registers (4xxxxx) and its coils
// as coils (0xxxxx), each at its one-based reference.
constexpr int holdingRegisterBase = 400000;

// The unit keeps the running average, maximum and minimum of every analog input one block of
// 64 registers above the live value each.
struct InputQuantity {
    const char* name;
    int offset;
};
constexpr InputQuantity inputQuantities[] = {{"Cur", 0}, {"Avg", 64}, {"Max", 128}, {"Min", 192}};

// Every line fits: the longest is well under 100 characters.
constexpr size_t lineCapacity = 100;

int liveReference(DeviceBlock block, int panel, int channel) {
    return RegisterMap::reference(
        static_cast<uint16_t>(RegisterMap::panelAddress(block, panel) + channel));
}

template <typename... Args>
void appendLine(std::string& out, const char* format, Args... args) {
    char line[lineCapacity];
    const int length = std::snprintf(line, sizeof line, format, args...);
    if (length > 0) {
        out.append(line, std::min(static_cast<size_t>(length), sizeof line - 1));
    }
}

void appendAnalogChannel(std::string& out, int panel, int channel, int16_t state) {
    const int address =
        holdingRegisterBase + liveReference(DeviceBlock::liveAnalogValue, panel, channel);
    if (state == ChannelState::input) {
        for (const InputQuantity& quantity : inputQuantities) {
            appendLine(out, "N;AnaPan%dCh%d%s;WORD;%d;;Analog panel %d, Chan %d (%s input)\r\n",
                       panel, channel, quantity.name, address + quantity.offset, panel, channel,
                       quantity.name);
        }
    } else if (state == ChannelState::output) {
        appendLine(out, "N;AnaPan%dCh%dOut;WORD;%d;;Analog panel %d, Chan %d (output)\r\n", panel,
                   channel, address, panel, channel);
    }
}

void appendDigitalChannel(std::string& out, int panel, int channel, int16_t state) {
    const int address = liveReference(DeviceBlock::liveDigitalValue, panel, channel);
    if (state == ChannelState::input) {
        appendLine(out, "N;DigPan%dCh%dInp;BOOL;%06d;;Digital panel %d, Chan %d (input)\r\n", panel,
                   channel, address, panel, channel);
    } else if (state == ChannelState::output) {
        appendLine(out, "N;DigPan%dCh%dOut;BOOL;%06d;;Digital panel %d, Chan %d (output)\r\n",
                   panel, channel, address, panel, channel);
    }
}

} // namespace

std::string KepTagFile::text(const CVtrConfigDoc& doc) {
    std::string out;
    for (int panel = 0; panel < PanelLayout::analogPanels; ++panel) {
        for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
            if (const int16_t* state = doc.getAnalogChannelState(panel, channel)) {
                appendAnalogChannel(out, panel, channel, *state);
            }
        }
    }
    for (int panel = 0; panel < PanelLayout::digitalPanels; ++panel) {
        if (!doc.isDigitalPanelAvailable(panel)) {
            continue;
        }
        for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
            if (const int16_t* state = doc.getDigitalChannelState(panel, channel)) {
                appendDigitalChannel(out, panel, channel, *state);
            }
        }
    }
    return out;
}
