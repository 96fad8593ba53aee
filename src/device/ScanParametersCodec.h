#pragma once

#include "device/RegisterMap.h"
#include "device/ScanParameters.h"

#include <array>
#include <cstdint>
#include <span>

// "User-Defined Scan Parameters": 64 list registers (channel id in the low byte, 0xFF ends the
// list), a terminator register that is always 0xFF, the scan interval and the scan count.
namespace ScanParametersCodec {
constexpr int registers = RegisterMap::count(DeviceBlock::scanParameters);

ScanParameters decode(std::span<const uint16_t, registers> block);
// Entries from scanListLength on are written as 0xFF, so the unit sees where the list ends
// whatever the record holds there; a length outside 0..64 is taken as its nearest bound.
std::array<uint16_t, registers> encode(const ScanParameters& parameters);
} // namespace ScanParametersCodec
