#pragma once

#include "tools/vtrctl/VtrctlOptions.h"

#include <ostream>

// The command line of vtrctl, parsed with CLI11. Parsing errors never escape: they end as a
// usage message and the outcome usageError.
class CommandLine {
public:
    enum class Outcome { run, helpShown, usageError };

    Outcome parse(int argc, const char* const* argv, VtrctlOptions& options, std::ostream& out,
                  std::ostream& err);

    static void printUsage(std::ostream& out);
};
