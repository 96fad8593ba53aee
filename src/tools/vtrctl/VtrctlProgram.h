#pragma once

#include <ostream>

// The whole of vtrctl behind its main(): parse the command line, open the link, run the
// operation as often as asked, print values, errors and statistics. Returns the exit status:
// 0 success, 1 a failed operation or link or output that could not be written, 2 a usage
// error, 3 (show) a partial read, 130 interrupted.
class VtrctlProgram {
public:
    static constexpr int exitSuccess = 0;
    static constexpr int exitFailure = 1;
    static constexpr int exitUsage = 2;
    static constexpr int exitInterrupted = 130; // 128 + SIGINT, as shells report Ctrl+C

    // Standard output could not take what was written (a full disk, a closed stream): the
    // run fails with this message.
    static constexpr const char* outputLostMessage = "vtrctl: cannot write to standard output";

    int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

    // Asks a running loop to stop after the transaction under way; safe in a signal handler.
    // The statistics gathered so far are still printed.
    static void interrupt();
    static bool interruptRequested();

private:
    int runCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
};
