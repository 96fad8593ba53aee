#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Everything that makes one simulated unit differ from another: identity, fitted panels,
// channel configuration, interfaces. A profile is the unit's state at power-up; the running
// unit (SimUnit) starts from it and may then be changed over the wire.
struct SimProfile {
    static constexpr int analogPanelCount = 4;
    static constexpr int digitalPanelCount = 8;
    static constexpr int channelsPerPanel = 16;
    static constexpr int analogChannelCount = analogPanelCount * channelsPerPanel;
    static constexpr int digitalChannelCount = digitalPanelCount * channelsPerPanel;
    static constexpr int scanListCapacity = 64;

    // Channel states as the document stores them (not the wire codes).
    enum ChannelState : uint16_t { Vacant = 0, Input = 1, Output = 2 };

    struct Identity {
        std::string manufacturer;
        std::string modelNumber;
        std::string serialNumber;
        std::string firmwareRevision;
    };

    struct TcpInterface {
        std::array<uint8_t, 4> ipAddress{};
        std::array<uint8_t, 4> subnetMask{};
        std::array<uint8_t, 4> gateway{};
        uint16_t keepaliveMs = 0;
        uint16_t tcpPort = 502;
        std::array<uint8_t, 6> macAddress{};
    };

    struct DigitalPanel {
        bool fitted = false;
        int16_t bypass = 0; // nonzero: fitted but switched out of the unit's scan
        Identity identity;
        std::array<uint16_t, channelsPerPanel> state{};        // ChannelState
        std::array<uint8_t, channelsPerPanel> defaultOutput{}; // 0 or 1
    };

    Identity identity;
    std::string ethernetFirmwareRevision;
    uint16_t statusWord = 0;

    std::array<bool, analogPanelCount> analogPanelFitted{};
    std::array<uint16_t, analogChannelCount> analogState{};       // ChannelState
    std::array<uint8_t, analogChannelCount> averageWeightIndex{}; // 0..15, weight 2^index
    std::array<int16_t, analogChannelCount> defaultOutput{};

    std::array<DigitalPanel, digitalPanelCount> digitalPanels{};

    uint16_t scanMode = 0;         // 0 continuous, 1 user-defined
    std::vector<uint8_t> scanList; // analog channel ids, at most 64
    uint16_t scanIntervalMs = 100;
    uint16_t scanCount = 1;

    uint16_t serialInterface = 0; // 0 RS232, 1 RS485 2-wire, 2 RS485 4-wire
    uint16_t baudIndex = 4;       // 19200
    uint16_t parityIndex = 2;     // even
    uint8_t slaveAddress = 31;    // high nibble lives in the RTU configuration block

    std::array<TcpInterface, 2> tcp{};

    uint32_t waveformSeed = 1; // live input values follow a waveform drawn from this seed

    // Base unit and two expansion panels with mixed channels, user-defined scan with a short
    // list, firmware with the secondary TCP interface, digital panels 0 and 1 fitted, panel 2
    // bypassed, the rest not fitted.
    static SimProfile richDefault();
    // Base unit only, continuous scan, old firmware without the secondary TCP interface.
    static SimProfile minimal();
    // Every analog and digital panel fitted.
    static SimProfile full();
};
