#include "tools/vtrctl/WatchCommand.h"

#include "quickview/CChanQuickViewDlg.h"
#include "tools/vtrctl/RefreshedDocument.h"
#include "tools/vtrctl/VtrctlProgram.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// Sleeps in short slices so that Ctrl+C is answered at once.
bool waitUnlessInterrupted(unsigned milliseconds) {
    constexpr unsigned sliceMs = 10;
    for (unsigned left = milliseconds; left > 0 && !VtrctlProgram::interruptRequested();) {
        const unsigned slice = std::min(left, sliceMs);
        std::this_thread::sleep_for(std::chrono::milliseconds(slice));
        left -= slice;
    }
    return !VtrctlProgram::interruptRequested();
}

} // namespace

int WatchCommand::run(MbusMasterFunctions& master, bool tcp, int slave, bool hex, std::ostream& out,
                      std::ostream& err) const {
    RefreshedDocument unit(master, tcp, slave, err);
    if (!unit.connected()) {
        return VtrctlProgram::exitFailure;
    }
    LiveWatch watch(unit.doc(), hex);
    if (watch.listChannels(panels) == 0) {
        err << CChanQuickViewDlg::noChannelsMessage << '\n';
        return VtrctlProgram::exitFailure;
    }
    watch.run(passes, out, waitUnlessInterrupted, LiveWatch::localTimeOfDay);
    return VtrctlProgram::interruptRequested() ? VtrctlProgram::exitInterrupted
                                               : VtrctlProgram::exitSuccess;
}
