#pragma once

#include "tools/vtrctl/ConfigureCommand.h"
#include "tools/vtrctl/ExportCommand.h"
#include "tools/vtrctl/LinkOptions.h"
#include "tools/vtrctl/ModbusCommand.h"
#include "tools/vtrctl/PortsCommand.h"
#include "tools/vtrctl/ScanCommand.h"
#include "tools/vtrctl/ShowCommand.h"
#include "tools/vtrctl/WatchCommand.h"

#include <cstdint>

// Everything the command line of vtrctl decides.
struct VtrctlOptions {
    LinkOptions link;
    MasterSettings settings;
    int slave = 1;
    bool hex = false;
    int64_t count = 1;      // repetitions of the operation on one connection
    int64_t intervalMs = 0; // least time from the start of one repetition to the next
    bool stats = false;
    // Every transaction on standard error, with its meaning.
    bool trace = false;
    ModbusCommand command;
    // Instead of one Modbus operation: show the whole unit.
    ShowCommand show;
    // Instead of one Modbus operation: the unit's tag file, or its live values.
    ExportCommand exportTags;
    WatchCommand watch;
    // Instead of one Modbus operation: write one configuration block, or reset.
    ConfigureCommand configure;
    // Without a link: explain the serial ports, or search for units.
    PortsCommand ports;
    ScanCommand scan;
};
