#pragma once

#include "sim/SimProfile.h"

#include <cstdint>
#include <string>

// Where the fields of the unit's configuration lie in the registers of each block, and how they
// are coded on the wire: channel states (Output is 0x0080), text one character per register in
// the low byte, addresses two octets per register with the first octet high.
class SimBlockLayout {
public:
    // Channel states on the wire.
    static constexpr uint16_t wireVacant = 0x0000;
    static constexpr uint16_t wireInput = 0x0001;
    static constexpr uint16_t wireOutput = 0x0080;
    static constexpr uint16_t wireInvalid = 0xFFFF; // a stored state the unit cannot have

    // Text fields are 16 registers each.
    static constexpr unsigned textRegisters = 16;
    // "Device Information": the identity, then the Ethernet firmware revision.
    static constexpr unsigned identityRegisters = 4 * textRegisters;

    // "RTU Configuration".
    struct Rtu {
        static constexpr unsigned serialInterface = 0;
        static constexpr unsigned baudIndex = 1;
        static constexpr unsigned parityIndex = 2;
        static constexpr unsigned slaveIdHigh = 3;
        static constexpr uint16_t maxSerialInterface = 2;
        static constexpr uint16_t maxBaudIndex = 7;
        static constexpr uint16_t maxParityIndex = 2;
        static constexpr uint16_t slaveIdHighMask = 0x00F0;
    };

    // "TCP Configuration" and "TCP Configuration 2": octet pairs, then numbers, then the MAC.
    struct Tcp {
        static constexpr unsigned ipAddress = 0;
        static constexpr unsigned subnetMask = 2;
        static constexpr unsigned gateway = 4;
        static constexpr unsigned keepalive = 6;
        static constexpr unsigned port = 7;
        static constexpr unsigned macAddress = 8;
    };

    // "User-Defined Scan Parameters": 64 list entries, the terminator, interval and count.
    struct Scan {
        static constexpr unsigned terminator = 64;
        static constexpr unsigned interval = 65;
        static constexpr unsigned count = 66;
        static constexpr uint8_t endOfList = 0xFF;
    };

    static uint16_t stateToWire(uint16_t state);
    // False for a wire value that is no channel state.
    static bool wireToState(uint16_t wire, uint16_t& state);

    static uint16_t textRegister(const std::string& text, unsigned index);
    // Manufacturer, model, serial number and firmware revision, 16 registers each.
    static uint16_t identityRegister(const SimProfile::Identity& identity, unsigned offset);

    static uint16_t tcpRegister(const SimProfile::TcpInterface& tcp, unsigned offset);
    // Registers 0-6 only; the port and MAC address are not writable.
    static void setTcpRegister(SimProfile::TcpInterface& tcp, unsigned offset, uint16_t value);
};
