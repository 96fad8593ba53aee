#pragma once

#include "modbus/SerialDeviceList.h"

#include <ostream>

namespace CLI {
class App;
}

// `ports`: the serial devices of this machine, one line each (or a JSON array): where the
// device leads (USB adapter, by-id name), whether this user can open it and what fixes it
// when not, what holds it, and which COM<n> alias names it.
class PortsCommand {
public:
    void addTo(CLI::App& app);
    bool requested() const { return requested_; }

    int run(std::ostream& out) const;
    static void write(const SerialDeviceList::Listing& listing, bool json, std::ostream& out);

private:
    // Set by the command line once the subcommand was given; the parser itself is gone by the
    // time the command runs.
    bool requested_ = false;
    bool json_ = false;
};
