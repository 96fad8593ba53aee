#pragma once

#include "quickview/PanelChannels.h"

#include <cstdint>
#include <string>

class CVtrConfigDoc;

// One live channel value read or written through the document: an input register per analog
// channel, a coil per digital channel, both at reference 16 * panel + channel + 1.
class LiveChannel {
public:
    // The polling cadence of the live views: 20 ms between the reads of one pass, so that a
    // window answers the user between them, and a pause of 500 ms after each pass.
    static constexpr unsigned channelDelayMs = 20;
    static constexpr unsigned passPauseMs = 500;

    static int reference(PanelKind kind, int panel, int channel);

    // Reads the entry's channel and returns the text a live view shows for it: an analog value
    // as unsigned 16 bits in the display base ("0x%04X" or "%d"), a digital one as 0 or 1, or
    // the failure as "(code, text)" with the text padded or cut to 35 characters. On success
    // the entry's value is updated (an analog value taken as signed 16 bits).
    static std::string read(CVtrConfigDoc& doc, PanelKind kind, int panel, ChannelEntry& entry,
                            bool hex);
    static std::string errorLine(int code);

    // Writes an output; on success the entry's value becomes the one written.
    static int write(CVtrConfigDoc& doc, PanelKind kind, int panel, ChannelEntry& entry,
                     uint16_t value);
};
