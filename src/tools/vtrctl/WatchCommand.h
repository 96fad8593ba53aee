#pragma once

#include "tools/vtrctl/LiveWatch.h"

#include <cstdint>
#include <ostream>
#include <vector>

class MbusMasterFunctions;

// `watch [PANEL...]`: reads the unit as on Connect, then follows the live values of the
// configured channels of the named panels (all when none is named), one line per change, for
// `passes` passes or, with 0, until interrupted.
class WatchCommand {
public:
    bool requested = false;
    std::vector<LiveWatch::Panel> panels;
    int64_t passes = 0;

    // Returns vtrctl's exit status: 0 done, 1 the refresh failed or nothing is configured,
    // exitInterrupted after Ctrl+C.
    int run(MbusMasterFunctions& master, bool tcp, int slave, bool hex, std::ostream& out,
            std::ostream& err) const;
};
