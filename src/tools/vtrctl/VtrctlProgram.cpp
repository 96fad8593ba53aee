#include "tools/vtrctl/VtrctlProgram.h"

#include "modbus/MbusError.h"
#include "tools/vtrctl/CommandLine.h"
#include "tools/vtrctl/RoundTripStats.h"
#include "tools/vtrctl/TracePrinter.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void printError(std::ostream& err, int code) {
    err << "error " << code << ": " << errorText(code) << '\n';
}

using Clock = std::chrono::steady_clock;

// Sleeps until `until`, in short steps so that Ctrl+C ends the wait at once.
void sleepUntil(Clock::time_point until) {
    constexpr auto step = std::chrono::milliseconds(50);
    for (auto now = Clock::now(); now < until && !interrupted; now = Clock::now()) {
        std::this_thread::sleep_for(std::min<Clock::duration>(until - now, step));
    }
}

// Runs the operation options.count times, options.intervalMs apart from start to start; stops
// early only when the link is gone, since no further operation could then succeed. Returns the
// result of the last operation run.
int repeatOperation(MbusMasterFunctions& master, VtrctlOptions& options, RoundTripStats& stats,
                    bool& anyFailed, std::ostream& err) {
    int result = MBUS_SUCCESS;
    auto nextStart = Clock::now();
    for (int64_t i = 0; i < options.count && !interrupted; ++i) {
        sleepUntil(nextStart);
        if (interrupted) {
            break;
        }
        const auto start = Clock::now();
        nextStart = start + std::chrono::milliseconds(options.intervalMs);
        result = options.command.run(master, options.slave);
        const auto elapsed = Clock::now() - start;
        stats.record(result == MBUS_SUCCESS,
                     std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
        if (result != MBUS_SUCCESS) {
            anyFailed = true;
            printError(err, result);
            if (!master.isLinkOpen()) {
                break;
            }
        }
    }
    return result;
}

// The commands that read the whole unit first, as the program does on Connect.
int runDocumentCommand(const VtrctlOptions& options, MbusMasterFunctions& master, bool tcp,
                       std::ostream& out, std::ostream& err) {
    if (options.show.requested) {
        return options.show.run(master, options.link.connectOptions(options.slave), options.hex,
                                out, err);
    }
    if (options.exportTags.requested) {
        return options.exportTags.run(master, tcp, options.slave, out, err);
    }
    return options.watch.run(master, tcp, options.slave, options.hex, out, err);
}

} // namespace

void VtrctlProgram::interrupt() {
    interrupted = true;
}

bool VtrctlProgram::interruptRequested() {
    return interrupted;
}

int VtrctlProgram::run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    const int status = runCommand(argc, argv, out, err);
    // Values that never reached the reader are a failure, whatever the command made of them.
    if (!out.flush()) {
        err << outputLostMessage << '\n';
        return status == exitUsage ? exitUsage : exitFailure;
    }
    return status;
}

int VtrctlProgram::runCommand(int argc, const char* const* argv, std::ostream& out,
                              std::ostream& err) {
    interrupted = false;
    VtrctlOptions options;
    switch (CommandLine().parse(argc, argv, options, out, err)) {
    case CommandLine::Outcome::helpShown:
        return exitSuccess;
    case CommandLine::Outcome::usageError:
        return exitUsage;
    case CommandLine::Outcome::run:
        break;
    }

    if (options.ports.requested()) {
        return options.ports.run(out);
    }
    if (options.scan.requested()) {
        return options.scan.run(out, err);
    }
    RoundTripStats stats;
    stats.reserve(options.count);
    TracePrinter trace(err, options.hex);
    std::unique_ptr<MbusMasterFunctions> master;
    const int opened = options.link.open(options.settings, master);
    bool anyFailed = opened != MBUS_SUCCESS;
    if (!anyFailed && options.trace) {
        master->setTransactionObserver(&trace);
    }
    const bool tcp = options.link.serialLine().device.empty();
    if (anyFailed) {
        printError(err, opened);
    } else if (options.configure.kind != ConfigureCommand::Kind::none) {
        const int status =
            options.configure.run(*master, tcp, options.slave, options.hex, out, err);
        master->closeLink();
        return status;
    } else if (options.show.requested || options.exportTags.requested || options.watch.requested) {
        const int status = runDocumentCommand(options, *master, tcp, out, err);
        master->closeLink();
        return status;
    } else {
        const int last = repeatOperation(*master, options, stats, anyFailed, err);
        if (last == MBUS_SUCCESS && options.command.isRead()) {
            out << options.command.formatValues(options.hex) << '\n';
        }
    }
    master->closeLink();
    if (options.stats) {
        stats.print(err);
    }
    if (interrupted) {
        return exitInterrupted;
    }
    return anyFailed ? exitFailure : exitSuccess;
}
