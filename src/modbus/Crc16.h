#pragma once

#include <cstddef>
#include <cstdint>

// The Modbus RTU CRC-16: reflected polynomial 0xA001, initial value 0xFFFF, no final inversion.
// The value is sent low byte first. Computed bytewise with two 256-entry tables, one for each
// byte of the register, as the Modbus serial line guide does it.
class Crc16 {
public:
    static uint16_t compute(const uint8_t* bytes, size_t count);
};
