#pragma once

#include <array>
#include <cstdint>

// The user-defined analog scan ("User-Defined Scan Parameters"): which analog channels the
// unit scans, in order, how often and how many times.
struct ScanParameters {
    static constexpr int maxEntries = 64;
    // Ends the list on the unit.
    static constexpr uint8_t endOfList = 0xFF;

    uint16_t scanIntervalMs = 0;
    uint16_t scanCount = 0;
    // Analog channel ids (16 * panel + channel); only the first scanListLength count.
    std::array<uint8_t, maxEntries> scanList{};
    int32_t scanListLength = 0;

    bool operator==(const ScanParameters&) const = default;
};
