#include "sim/SimCrc.h"

uint16_t SimCrc::compute(const uint8_t* bytes, size_t size) {
    constexpr uint16_t polynomial = 0xA001;
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            const bool carry = crc & 1u;
            crc >>= 1;
            if (carry) {
                crc ^= polynomial;
            }
        }
    }
    return crc;
}
