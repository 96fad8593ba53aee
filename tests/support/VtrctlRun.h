#pragma once

#include "tools/vtrctl/VtrctlProgram.h"

#include <sstream>
#include <string>
#include <vector>

// Runs vtrctl's program logic in the test process with captured output streams.
struct VtrctlOutcome {
    int status;
    std::string out;
    std::string err;
};

inline VtrctlOutcome runVtrctl(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv{"vtrctl"};
    for (const auto& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    const int status = VtrctlProgram().run(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}
