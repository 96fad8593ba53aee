#pragma once

#include "device/RtuUnitScan.h"
#include "device/TcpUnitScan.h"

#include <ostream>
#include <string>

namespace CLI {
class App;
}

// `scan`: finds units on a serial line (--rtu, trying line settings and slave addresses) or
// in a range of IPv4 addresses (--tcp), and prints each one found with its serial number and
// firmware. A progress bar runs on standard error when that is a terminal.
class ScanCommand {
public:
    void addTo(CLI::App& app);
    bool requested() const { return requested_; }
    // Checks and converts the options; on a problem returns false with a one-line description.
    bool check(std::string& problem);
    // Exit status: 0 a unit was found, 1 none (or the port could not be opened).
    int run(std::ostream& out, std::ostream& err) const;

private:
    bool checkRtu(std::string& problem);

    // Set by the command line once the subcommand was given; the parser itself is gone by the
    // time the command runs.
    bool requested_ = false;
    std::string rtuDevice_;
    std::string tcpRange_;
    std::string baudList_;
    std::string parityList_;
    std::string slaveRange_;
    std::string jobsText_;
    bool all_ = false;
    bool json_ = false;
    RtuUnitScan::Plan rtu_;
    TcpUnitScan::Range tcp_;
    int jobs_ = TcpUnitScan::defaultJobs;
};
