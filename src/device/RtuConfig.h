#pragma once

#include <cstdint>

// The unit's serial interface settings ("RTU Configuration").
struct RtuConfig {
    // Upper four bits of the unit's RTU slave address, in bit positions 4-7 (0x00 .. 0xF0);
    // the lower four bits are set on the unit itself and are not part of the block.
    uint8_t slaveIdHigh = 0;
    uint16_t serialInterface = 0; // 0 RS232, 1 RS485 2-wire, 2 RS485 4-wire
    uint16_t baudIndex = 0;       // 0..7: 1200 .. 115200 bit/s
    uint16_t parityIndex = 0;     // 0 none, 1 odd, 2 even

    bool operator==(const RtuConfig&) const = default;
};
