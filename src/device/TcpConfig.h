#pragma once

#include <array>
#include <cstdint>

// One Ethernet interface of the unit ("TCP Configuration" or "TCP Configuration 2").
// Addresses are octets in dotted order.
struct TcpConfig {
    std::array<uint8_t, 4> ipAddress{};
    std::array<uint8_t, 4> subnetMask{};
    std::array<uint8_t, 4> gateway{};
    // Passed to and from the unit unchanged.
    uint16_t keepaliveMs = 0;
    // Read-only on the unit: the port and MAC address are never written.
    uint16_t tcpPort = 0;
    std::array<uint8_t, 6> macAddress{};

    bool operator==(const TcpConfig&) const = default;
};
