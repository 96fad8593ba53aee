#pragma once

#include "sim/SimFaults.h"
#include "sim/SimProfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The options of the vtr300-sim program, read from its command line.
struct SimCommandLine {
    bool tcp = true;
    std::string tcpHost = "127.0.0.1";
    uint16_t tcpPort = 1502;
    std::string rtuDevice;
    bool rtuPty = false;
    std::string rtuPtyLink;
    SimProfile profile = SimProfile::richDefault();
    SimFaults faults;
    // Fault sets to step through, one further on each SIGUSR1 (texts kept to report them).
    std::vector<SimFaultSettings> faultCycle;
    std::vector<std::string> faultCycleTexts;
    bool lineSpeed = false;
    bool verbose = false;

    // Reads argv. Returns -1 to go on, otherwise the exit code (0 after --help); messages are
    // printed by the parser.
    int parse(int argc, char** argv);
};
