#include "device/TcpConfigCodec.h"

namespace TcpConfigCodec {

namespace {

constexpr size_t ipAddressRegister = 0;
constexpr size_t subnetMaskRegister = 2;
constexpr size_t gatewayRegister = 4;
constexpr size_t keepaliveRegister = 6;
constexpr size_t tcpPortRegister = 7;
constexpr size_t macAddressRegister = 8;

static_assert(writeRegisters == keepaliveRegister + 1);
static_assert(registers == macAddressRegister + 3);

template <size_t N>
void decodeOctets(std::span<const uint16_t, registers> block, size_t first,
                  std::array<uint8_t, N>& octets) {
    for (size_t i = 0; i < N; i += 2) {
        const uint16_t word = block[first + i / 2];
        octets[i] = static_cast<uint8_t>(word >> 8);
        octets[i + 1] = static_cast<uint8_t>(word & 0xFF);
    }
}

template <size_t N>
void encodeOctets(const std::array<uint8_t, N>& octets, size_t first,
                  std::array<uint16_t, writeRegisters>& block) {
    for (size_t i = 0; i < N; i += 2) {
        block[first + i / 2] = static_cast<uint16_t>((octets[i] << 8) | octets[i + 1]);
    }
}

} // namespace

TcpConfig decode(std::span<const uint16_t, registers> block) {
    TcpConfig config;
    decodeOctets(block, ipAddressRegister, config.ipAddress);
    decodeOctets(block, subnetMaskRegister, config.subnetMask);
    decodeOctets(block, gatewayRegister, config.gateway);
    config.keepaliveMs = block[keepaliveRegister];
    config.tcpPort = block[tcpPortRegister];
    decodeOctets(block, macAddressRegister, config.macAddress);
    return config;
}

std::array<uint16_t, writeRegisters> encode(const TcpConfig& config) {
    std::array<uint16_t, writeRegisters> block{};
    encodeOctets(config.ipAddress, ipAddressRegister, block);
    encodeOctets(config.subnetMask, subnetMaskRegister, block);
    encodeOctets(config.gateway, gatewayRegister, block);
    block[keepaliveRegister] = config.keepaliveMs;
    return block;
}

} // namespace TcpConfigCodec
