#pragma once

#include "quickview/ChannelLists.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class CVtrConfigDoc;

// The live values of the configured channels of chosen panels for a terminal or a log: each
// channel is read on its own, with the quick channel view's cadence, and a line is printed
// whenever what it shows changes: "HH:MM:SS.mmm analog P ch C input VALUE", the value in the
// quick view's form, or its error text in parentheses when the read failed.
class LiveWatch {
public:
    struct Panel {
        PanelKind kind;
        int index;
    };
    // Waits so many milliseconds; false when the user has asked to stop.
    using Wait = std::function<bool(unsigned milliseconds)>;
    // The time of day as "HH:MM:SS.mmm".
    using TimeOfDay = std::function<std::string()>;

    // "a0" to "a3" name the analog panels, "d0" to "d7" the digital ones.
    static bool parsePanel(const std::string& text, Panel& panel);
    static std::string localTimeOfDay();

    LiveWatch(CVtrConfigDoc& doc, bool hex) : m_doc(doc), m_hex(hex) {}

    // Lists the configured channels of `panels` (all panels when empty) and returns how many.
    int listChannels(const std::vector<Panel>& panels);
    // Polls the listed channels for `passes` passes (0: until the wait says stop, or until
    // `out` no longer takes a line).
    void run(int64_t passes, std::ostream& out, const Wait& wait, const TimeOfDay& now);

private:
    struct Watched {
        Panel panel;
        ChannelEntry entry;
        std::string shown;
        bool printed = false;
    };

    CVtrConfigDoc& m_doc;
    bool m_hex;
    std::vector<Watched> m_watched;
};
