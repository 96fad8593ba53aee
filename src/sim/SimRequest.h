#pragma once

#include "sim/SimPdu.h"

#include <array>
#include <cstdint>

// One decoded request: what is asked, where, how much, and the values of a write.
struct SimRequest {
    uint8_t function = 0;
    uint16_t address = 0;
    uint16_t count = 0;
    std::array<uint16_t, SimPdu::maxWriteRegisters> registers{};
    std::array<uint8_t, SimPdu::maxWriteCoils> coils{}; // one coil per byte, 0 or 1

    bool isWrite() const;
    bool touchesCoils() const;
};
