#pragma once

#include "sim/SimFaults.h"

#include <string>

// Reads one fault switch in the command-line syntax:
//   exception:ADDR=CODE        exception reply CODE for requests touching ADDR
//   exception:FIRST-LAST=CODE  ... touching any address of FIRST..LAST
//   delay=MS                   reply after MS milliseconds
//   silent | close | bad-crc | wrong-slave | wrong-function | trailing-garbage
// Numbers are decimal or 0x-prefixed hexadecimal.
class SimFaultParser {
public:
    // Adds the switch to `faults`; returns 0, or 1 with `message` saying what is wrong.
    static int apply(const std::string& text, SimFaults& faults, std::string& message);

    // A comma-separated list of switches, or "none" for no fault at all, as one set.
    static int applyList(const std::string& text, SimFaults& faults, std::string& message);

    // The syntax above, for --help.
    static const char* syntaxHelp();
};
