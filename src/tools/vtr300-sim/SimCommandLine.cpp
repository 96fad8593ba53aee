#include "SimCommandLine.h"

#include "sim/SimFaultParser.h"
#include "sim/SimProfileLoader.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace {

constexpr int exitUsage = 1;

// A refused value: the message, then where to read the syntax.
int refuse(const std::string& message) {
    std::cerr << "vtr300-sim: " << message << "\nRun 'vtr300-sim --help' for details.\n";
    return exitUsage;
}

// "[HOST:]PORT" into host and port. The unit speaks IPv4 only: a host with a colon or
// brackets is an IPv6 address or a typing error.
bool splitEndpoint(const std::string& text, std::string& host, uint16_t& port) {
    const size_t colon = text.find(':');
    if (text.find_first_of("[]") != std::string::npos ||
        (colon != std::string::npos && text.find(':', colon + 1) != std::string::npos)) {
        return false;
    }
    const std::string portText = colon == std::string::npos ? text : text.substr(colon + 1);
    if (colon != std::string::npos) {
        host = text.substr(0, colon);
    }
    if (host.empty() || portText.empty() || portText.size() > 5 ||
        portText.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const unsigned long value = std::stoul(portText);
    if (value > 65535) {
        return false;
    }
    port = static_cast<uint16_t>(value);
    return true;
}

} // namespace

int SimCommandLine::parse(int argc, char** argv) {
    CLI::App app{"vtr300-sim: a simulated Vantrel VTR300 I/O unit, a Modbus TCP server and/or "
                 "Modbus RTU slave.\nWithout --rtu or --rtu-pty it serves Modbus TCP on "
                 "127.0.0.1:1502."};
    app.footer(std::string("\n") + SimFaultParser::syntaxHelp() +
               "\nStop with Ctrl+C (SIGINT) or SIGTERM.");
    app.set_version_flag("--version", std::string("vtr300-sim ") + VTR_VERSION,
                         "Print the version and exit");
    std::string endpoint;
    std::string profilePath;
    std::vector<std::string> faultTexts;
    unsigned slave = 0;
    app.add_option("--tcp", endpoint, "Serve Modbus TCP on [HOST:]PORT (default 127.0.0.1:1502)")
        ->type_name("[HOST:]PORT");
    app.add_option("--rtu", rtuDevice, "Serve Modbus RTU on an existing serial DEVICE")
        ->type_name("DEVICE");
    app.add_option("--rtu-pty", rtuPtyLink,
                   "Serve Modbus RTU on a new pseudo-terminal; print its path and, given LINK, "
                   "make LINK a symbolic link to it (e.g. a COM alias)")
        ->expected(0, 1)
        ->type_name("[LINK]");
    app.add_option("--slave", slave, "RTU slave address, 1..247 (default 31)")
        ->check(CLI::Range(1, 247))
        ->type_name("N");
    app.add_option("--profile", profilePath, "JSON unit profile (default: the rich unit)")
        ->type_name("FILE");
    app.add_option("--fault", faultTexts, "Inject a fault (repeatable; syntax below)")
        ->type_name("FAULT")
        ->allow_extra_args(false);
    app.add_option("--fault-cycle", faultCycleTexts,
                   "A set of faults (FAULT,FAULT... or none) to switch to on SIGUSR1; repeat to "
                   "make a cycle: each SIGUSR1 replaces the faults with the next set, after the "
                   "last set the first comes again")
        ->type_name("FAULTS")
        ->allow_extra_args(false);
    app.add_flag("--line-speed", lineSpeed,
                 "Pace RTU replies at the unit's baud rate, 11 bits per character");
    app.add_flag("--verbose,-v", verbose, "Print every request and reply in hex");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : exitUsage;
    }

    rtuPty = app.count("--rtu-pty") > 0;
    if (rtuPty && !rtuDevice.empty()) {
        return refuse("give either --rtu or --rtu-pty, not both");
    }
    tcp = app.count("--tcp") > 0 || (!rtuPty && rtuDevice.empty());
    if (app.count("--tcp") > 0 && !splitEndpoint(endpoint, tcpHost, tcpPort)) {
        return refuse("--tcp expects [HOST:]PORT with a host name or dotted IPv4 address (IPv6 "
                      "is not supported), got \"" +
                      endpoint + "\"");
    }
    if (app.count("--rtu") > 0 && rtuDevice.empty()) {
        return refuse("--rtu needs a serial device path");
    }
    if (app.count("--profile") > 0) {
        std::string message;
        if (SimProfileLoader::loadFile(profilePath, profile, message) != SimProfileLoader::ok) {
            std::cerr << "vtr300-sim: " << message << "\n";
            return exitUsage;
        }
    }
    if (slave != 0) {
        profile.slaveAddress = static_cast<uint8_t>(slave);
    }
    for (const std::string& text : faultTexts) {
        std::string message;
        if (SimFaultParser::apply(text, faults, message) != 0) {
            return refuse(message);
        }
    }
    for (const std::string& text : faultCycleTexts) {
        SimFaults step;
        std::string message;
        if (SimFaultParser::applyList(text, step, message) != 0) {
            return refuse("--fault-cycle: " + message);
        }
        faultCycle.push_back(step.snapshot());
    }
    return -1;
}
