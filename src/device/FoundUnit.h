#pragma once

#include "device/DeviceInfo.h"

#include <cstdint>
#include <string>

// A unit that answered a search: where it was found and who it says it is.
struct FoundUnit {
    // Modbus RTU: the device searched and the line setting and slave address that answered.
    std::string device;
    int baudRate = 0;
    int parity = 0; // 0 none, 1 odd, 2 even
    int slave = 0;
    // Modbus TCP: the dotted IPv4 address and port that answered (slave 1).
    std::string address;
    uint16_t port = 0;
    // 0 when the identity block was read; else the error of that read (the slave answered
    // the probe, but not as a VTR300 does).
    int identityResult = 0;
    DeviceInfo identity;

    bool isTcp() const { return !address.empty(); }
};
