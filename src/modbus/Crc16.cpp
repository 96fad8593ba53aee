#include "modbus/Crc16.h"

#include <array>

namespace {

constexpr uint16_t reflectedPolynomial = 0xA001;
constexpr uint16_t initialValue = 0xFFFF;

struct CrcTables {
    std::array<uint8_t, 256> low{};
    std::array<uint8_t, 256> high{};
};

// The register after shifting one byte value through eight rounds, split into its two bytes.
constexpr CrcTables makeTables() {
    CrcTables tables;
    for (unsigned index = 0; index < 256; ++index) {
        unsigned crc = index;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) != 0 ? (crc >> 1) ^ reflectedPolynomial : crc >> 1;
        }
        tables.low[index] = static_cast<uint8_t>(crc);
        tables.high[index] = static_cast<uint8_t>(crc >> 8);
    }
    return tables;
}

constexpr CrcTables tables = makeTables();

} // namespace

uint16_t Crc16::compute(const uint8_t* bytes, size_t count) {
    unsigned low = initialValue & 0xFFu;
    unsigned high = initialValue >> 8;
    for (size_t i = 0; i < count; ++i) {
        const unsigned index = low ^ bytes[i];
        low = high ^ tables.low[index];
        high = tables.high[index];
    }
    return static_cast<uint16_t>((high << 8) | low);
}
