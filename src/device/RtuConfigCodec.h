#pragma once

#include "device/RegisterMap.h"
#include "device/RtuConfig.h"

#include <array>
#include <cstdint>
#include <span>

// "RTU Configuration": serial interface, baud index, parity index, slave id high bits.
namespace RtuConfigCodec {
constexpr int registers = RegisterMap::count(DeviceBlock::rtuConfiguration);
constexpr int writeRegisters = RegisterMap::block(DeviceBlock::rtuConfiguration).writeCount;

RtuConfig decode(std::span<const uint16_t, registers> block);
std::array<uint16_t, writeRegisters> encode(const RtuConfig& config);
} // namespace RtuConfigCodec
