#include "sim/SimRegisterMap.h"

#include <array>

namespace {

using enum SimBlockId;
constexpr SimSpace R = SimSpace::Registers;
constexpr SimSpace C = SimSpace::Coils;

// Address, size, readable, writable registers from the start, label.
constexpr std::array<SimBlock, 22> blocks{{
    {LiveAnalog, R, 0x0000, 64, true, 64, "Live Analog Values"},
    {LiveAnalogAverage, R, 0x0040, 64, true, 0, "Live Analog Averages"},
    {LiveAnalogMaximum, R, 0x0080, 64, true, 0, "Live Analog Maxima"},
    {LiveAnalogMinimum, R, 0x00C0, 64, true, 0, "Live Analog Minima"},
    {DeviceInformation, R, 0x1000, 80, true, 0, "Device Information"},
    {RtuConfiguration, R, 0x1100, 4, true, 4, "RTU Configuration"},
    {TcpConfiguration, R, 0x1110, 11, true, 7, "TCP Configuration"},
    {TcpConfiguration2, R, 0x1120, 11, true, 7, "TCP Configuration 2"},
    {StatusRegister, R, 0x1200, 1, true, 0, "Status Register"},
    {ResetAnalogPanels, R, 0x1201, 1, false, 1, "Reset Analog Panels"},
    {CommunicationCheck, R, 0x1202, 2, true, 0, "Communication Check"},
    {AnalogScanMode, R, 0x1204, 1, true, 1, "Analog Scan Mode"},
    {ScanParameters, R, 0x1300, 67, true, 67, "User-Defined Scan Parameters"},
    {AnalogChannelStates, R, 0x2000, 64, true, 64, "Analog Channel States"},
    {AnalogOutputOptions, R, 0x2100, 64, true, 64, "Analog Output Options"},
    {AnalogInputOptions, R, 0x2200, 64, true, 64, "Analog Input Options"},
    {DigitalChannelStates, R, 0x8000, 128, true, 128, "Digital Channel States"},
    {DigitalDeviceInformation, R, 0x8A00, 512, true, 0, "Digital Device Information"},
    {ResetDigitalPanel, R, 0x8C00, 8, false, 8, "Reset Digital Panel"},
    {DigitalPanelBypass, R, 0x8F00, 8, true, 0, "Digital Panel Bypass"},
    {LiveDigital, C, 0x0000, 128, true, 128, "Live Digital Values"},
    {DigitalOutputOptions, C, 0x8100, 128, true, 128, "Digital Output Options"},
}};

} // namespace

const SimBlock* SimRegisterMap::find(SimSpace space, uint16_t address) {
    for (const SimBlock& block : blocks) {
        if (block.space == space && address >= block.address &&
            address - block.address < block.count) {
            return &block;
        }
    }
    return nullptr;
}

const char* SimRegisterMap::labelOf(SimSpace space, uint16_t address) {
    const SimBlock* block = find(space, address);
    return block ? block->label : "unmapped";
}
