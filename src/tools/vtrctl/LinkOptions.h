#pragma once

#include "modbus/MbusMasterFunctions.h"

#include <cstdint>
#include <memory>
#include <string>

namespace CLI {
class App;
}

// How the master is set up before its link is opened.
struct MasterSettings {
    int timeoutMs = MbusMasterFunctions::defaultTimeoutMs;
    int retryCount = 0;
    int pollDelayMs = 0;
};

// The link options of vtrctl: which transport, and where it leads. Each transport adds its
// options here, checks them and opens its master; the commands only see an open master.
class LinkOptions {
public:
    // Declares the link options on the command line.
    void addTo(CLI::App& app);

    // Checks the parsed options; on a problem returns false with a one-line description.
    bool check(std::string& problem);

    // Creates the master of the chosen transport, applies the settings and opens the link.
    // Returns the master's error code; `master` is set even when opening fails.
    int open(const MasterSettings& settings, std::unique_ptr<MbusMasterFunctions>& master) const;

    const std::string& tcpHost() const { return tcpHost_; }
    uint16_t tcpPort() const { return tcpPort_; }

private:
    bool checkTcpTarget(std::string& problem);

    std::string tcpTarget_; // HOST[:PORT] as typed
    std::string tcpHost_;
    uint16_t tcpPort_ = 0;
};
