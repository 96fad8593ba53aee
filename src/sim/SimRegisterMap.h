#pragma once

#include <cstdint>

// The unit's address map: every block of input registers (function 4, written with 16) and of
// coils (function 1, written with 5 and 15), with its label. One table serves the unit's
// access rules, the request log and the trace.
enum class SimBlockId {
    LiveAnalog,
    LiveAnalogAverage,
    LiveAnalogMaximum,
    LiveAnalogMinimum,
    DeviceInformation,
    RtuConfiguration,
    TcpConfiguration,
    TcpConfiguration2,
    StatusRegister,
    ResetAnalogPanels,
    CommunicationCheck,
    AnalogScanMode,
    ScanParameters,
    AnalogChannelStates,
    AnalogOutputOptions,
    AnalogInputOptions,
    DigitalChannelStates,
    DigitalDeviceInformation,
    ResetDigitalPanel,
    DigitalPanelBypass,
    LiveDigital,
    DigitalOutputOptions,
};

enum class SimSpace { Registers, Coils };

struct SimBlock {
    SimBlockId id;
    SimSpace space;
    uint16_t address;
    uint16_t count;
    bool readable;
    uint16_t writableCount; // registers from the start that may be written; 0 = read-only
    const char* label;
};

namespace SimAddress {
constexpr uint16_t liveAnalog = 0x0000;
constexpr uint16_t deviceInformation = 0x1000;
constexpr uint16_t rtuConfiguration = 0x1100;
constexpr uint16_t tcpConfiguration = 0x1110;
constexpr uint16_t tcpConfiguration2 = 0x1120;
constexpr uint16_t statusRegister = 0x1200;
constexpr uint16_t resetAnalogPanels = 0x1201;
constexpr uint16_t communicationCheck = 0x1202;
constexpr uint16_t analogScanMode = 0x1204;
constexpr uint16_t scanParameters = 0x1300;
constexpr uint16_t analogChannelStates = 0x2000;
constexpr uint16_t analogOutputOptions = 0x2100;
constexpr uint16_t analogInputOptions = 0x2200;
constexpr uint16_t digitalChannelStates = 0x8000;
constexpr uint16_t digitalDeviceInformation = 0x8A00;
constexpr uint16_t resetDigitalPanel = 0x8C00;
constexpr uint16_t digitalPanelBypass = 0x8F00;
constexpr uint16_t liveDigital = 0x0000;          // coils
constexpr uint16_t digitalOutputOptions = 0x8100; // coils

constexpr uint16_t digitalDeviceInformationStride = 64;
constexpr uint16_t resetCommand = 0x00FF;
} // namespace SimAddress

class SimRegisterMap {
public:
    // The block that holds `address`, or nullptr for an unmapped address.
    static const SimBlock* find(SimSpace space, uint16_t address);
    // The label of the block holding `address`, "unmapped" when there is none.
    static const char* labelOf(SimSpace space, uint16_t address);
};
