#pragma once

#include "device/RegisterMap.h"
#include "device/TcpConfig.h"

#include <array>
#include <cstdint>
#include <span>

// "TCP Configuration" and "TCP Configuration 2" (same layout). Every address register carries
// two octets, the first in the high byte.
namespace TcpConfigCodec {
constexpr int registers = RegisterMap::count(DeviceBlock::tcpConfiguration);
// Writes stop before the read-only TCP port and MAC address.
constexpr int writeRegisters = RegisterMap::block(DeviceBlock::tcpConfiguration).writeCount;

TcpConfig decode(std::span<const uint16_t, registers> block);
std::array<uint16_t, writeRegisters> encode(const TcpConfig& config);
} // namespace TcpConfigCodec
