#pragma once

#include <array>
#include <cstdint>
#include <string>

// How to reach the unit: over a serial line (Modbus RTU) or over Ethernet (Modbus TCP).
// Defaults are those of a new document.
struct ConnectOptions {
    static constexpr uint16_t modbusRtu = 0;
    static constexpr uint16_t modbusTcp = 1;

    uint16_t protocol = modbusRtu;
    uint8_t comPort = 1; // COM1 .. COM255
    uint8_t slaveId = 31;
    uint16_t baudIndex = 4;   // 19200 bit/s
    uint16_t parityIndex = 2; // even
    std::string server = "192.168.1.100";
    uint16_t tcpPort = 502;

    // Bits per second by baudIndex.
    static constexpr std::array<int, 8> baudRates{1200,  2400,  4800,  9600,
                                                  19200, 38400, 57600, 115200};
    // parityIndex is the serial master's parity code: 0 none, 1 odd, 2 even.
    static constexpr uint16_t lastParityIndex = 2;

    // The serial port as the unit's documents name it, "\\.\COM<comPort>".
    std::string comPortName() const { return "\\\\.\\COM" + std::to_string(comPort); }

    bool operator==(const ConnectOptions&) const = default;
};
