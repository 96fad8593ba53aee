#pragma once

#include "modbus/ModbusFunction.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Zero-based wire addresses of the unit's blocks, as the unit's documentation writes them.
// Per-panel blocks give the address of panel 0; see RegisterBlock::panelStride.
namespace VtrAddress {
constexpr uint16_t liveAnalogValue = 0x0000;  // input register 16 * panel + channel
constexpr uint16_t liveDigitalValue = 0x0000; // coil 16 * panel + channel
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
constexpr uint16_t digitalOutputOptions = 0x8100; // coils
constexpr uint16_t digitalDeviceInformation = 0x8A00;
constexpr uint16_t resetDigitalPanel = 0x8C00;
constexpr uint16_t digitalPanelBypass = 0x8F00;
} // namespace VtrAddress

// Every block of the unit, in the order of the register map table below.
enum class DeviceBlock {
    communicationCheck,
    statusRegister,
    resetAnalogPanels,
    deviceInformation,
    digitalPanelBypass,
    rtuConfiguration,
    tcpConfiguration,
    tcpConfiguration2,
    analogScanMode,
    scanParameters,
    analogChannelStates,
    analogInputOptions,
    analogOutputOptions,
    digitalDeviceInformation,
    digitalChannelStates,
    digitalOutputOptions,
    resetDigitalPanel,
    liveAnalogValue,
    liveDigitalValue,
};

// One row of the register map: where a block lies and how it is read and written.
struct RegisterBlock {
    DeviceBlock id;
    // The block's name in read and configure messages; empty for blocks never named there.
    const char* label;
    // Wire address of the block, or of panel 0's part of it.
    uint16_t address;
    // Registers (or coils) of one read transaction; for write-only blocks, of one write.
    int count;
    // Modbus function codes; 0 where the block is not read or not written that way.
    int readFunction;
    int writeFunction;
    // Registers (or coils) of one write with writeFunction.
    int writeCount;
    // Function for writing a single channel of a per-panel block, with a count of 1.
    int singleWriteFunction;
    // Address step from one panel (or channel, for live values) to the next; 0 for blocks of
    // the whole unit.
    int panelStride;
};

// The unit's register map: one table that the document reads by block, and that anything
// else needing an address, count or function of the unit reads too.
class RegisterMap {
public:
    static constexpr int fn1 = ModbusFunction::readCoils;
    static constexpr int fn4 = ModbusFunction::readInputRegisters;
    static constexpr int fn5 = ModbusFunction::writeSingleCoil;
    static constexpr int fn6 = ModbusFunction::writeSingleRegister;
    static constexpr int fn15 = ModbusFunction::writeMultipleCoils;
    static constexpr int fn16 = ModbusFunction::writeMultipleRegisters;

    // Written to a command register to reset analog or digital configuration to factory
    // defaults.
    static constexpr uint16_t resetCommand = 0x00FF;

    // clang-format off
    static constexpr std::array<RegisterBlock, 19> blocks{{
        // id                                   label                            address                            count read  write writeCount single stride
        {DeviceBlock::communicationCheck,       "",                              VtrAddress::communicationCheck,       2, fn4,  0,    0,  0,    0},
        {DeviceBlock::statusRegister,           "Status Register",               VtrAddress::statusRegister,           1, fn4,  0,    0,  0,    0},
        {DeviceBlock::resetAnalogPanels,        "",                              VtrAddress::resetAnalogPanels,        1, 0,    fn16, 1,  0,    0},
        {DeviceBlock::deviceInformation,        "Device Information",            VtrAddress::deviceInformation,       80, fn4,  0,    0,  0,    0},
        {DeviceBlock::digitalPanelBypass,       "Digital Panel Bypass",          VtrAddress::digitalPanelBypass,       8, fn4,  0,    0,  0,    0},
        {DeviceBlock::rtuConfiguration,         "RTU Configuration",             VtrAddress::rtuConfiguration,         4, fn4,  fn16, 4,  0,    0},
        // Registers 7-10 (TCP port and MAC address) are read-only: writes cover 0-6.
        {DeviceBlock::tcpConfiguration,         "TCP Configuration",             VtrAddress::tcpConfiguration,        11, fn4,  fn16, 7,  0,    0},
        {DeviceBlock::tcpConfiguration2,        "TCP Configuration 2",           VtrAddress::tcpConfiguration2,       11, fn4,  fn16, 7,  0,    0},
        {DeviceBlock::analogScanMode,           "Analog Scan Mode",              VtrAddress::analogScanMode,           1, fn4,  fn16, 1,  0,    0},
        {DeviceBlock::scanParameters,           "User-Defined Scan Parameters",  VtrAddress::scanParameters,          67, fn4,  fn16, 67, 0,    0},
        // The analog blocks are read for all four panels at once and written per panel or per
        // channel; channel states only ever one channel at a time.
        {DeviceBlock::analogChannelStates,      "Analog Channel States",         VtrAddress::analogChannelStates,     64, fn4,  fn16, 1,  0,    16},
        {DeviceBlock::analogInputOptions,       "Analog Input Options",          VtrAddress::analogInputOptions,      64, fn4,  fn16, 16, fn16, 16},
        {DeviceBlock::analogOutputOptions,      "Analog Output Options",         VtrAddress::analogOutputOptions,     64, fn4,  fn16, 16, fn16, 16},
        {DeviceBlock::digitalDeviceInformation, "Digital Device Information",    VtrAddress::digitalDeviceInformation, 64, fn4, 0,    0,  0,    64},
        {DeviceBlock::digitalChannelStates,     "Digital Channel States",        VtrAddress::digitalChannelStates,    16, fn4,  fn16, 16, 0,    16},
        {DeviceBlock::digitalOutputOptions,     "Digital Output Options",        VtrAddress::digitalOutputOptions,    16, fn1,  fn15, 16, fn5,  16},
        {DeviceBlock::resetDigitalPanel,        "",                              VtrAddress::resetDigitalPanel,        1, 0,    fn16, 1,  0,    1},
        {DeviceBlock::liveAnalogValue,          "",                              VtrAddress::liveAnalogValue,          1, fn4,  fn6,  1,  0,    16},
        {DeviceBlock::liveDigitalValue,         "",                              VtrAddress::liveDigitalValue,         1, fn1,  fn5,  1,  0,    16},
    }};
    // clang-format on

    static constexpr const RegisterBlock& block(DeviceBlock id) {
        return blocks[static_cast<size_t>(id)];
    }
    static constexpr int count(DeviceBlock id) { return block(id).count; }
    static constexpr const char* label(DeviceBlock id) { return block(id).label; }

    // Wire address of a per-panel block's part for `panel` (its first register or coil).
    static constexpr uint16_t panelAddress(DeviceBlock id, int panel) {
        return static_cast<uint16_t>(block(id).address + panel * block(id).panelStride);
    }

    // The master operations take a one-based reference: wire address + 1.
    static constexpr int reference(uint16_t address) { return address + 1; }
};

namespace RegisterMapCheck {
constexpr bool rowsFollowTheirIds() {
    for (size_t i = 0; i < RegisterMap::blocks.size(); ++i) {
        if (static_cast<size_t>(RegisterMap::blocks[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(rowsFollowTheirIds(), "register map rows must be in DeviceBlock order");
} // namespace RegisterMapCheck
