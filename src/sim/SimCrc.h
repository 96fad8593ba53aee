#pragma once

#include <cstddef>
#include <cstdint>

// The Modbus RTU CRC-16 (reflected polynomial 0xA001, initial value 0xFFFF, sent low byte
// first). Computed bit by bit on purpose: the master uses lookup tables, so each checks the
// other.
class SimCrc {
public:
    static uint16_t compute(const uint8_t* bytes, size_t size);
};
