#include "sim/SimUnit.h"

#include "sim/SimBlockLayout.h"
#include "sim/SimPdu.h"
#include "sim/SimRegisterMap.h"
#include "sim/SimWaveform.h"

#include <algorithm>
#include <bit>

namespace {

constexpr int channels = SimProfile::channelsPerPanel;

using Layout = SimBlockLayout;
using Rtu = SimBlockLayout::Rtu;
using Scan = SimBlockLayout::Scan;

constexpr uint16_t communicationCheckValue[2] = {0x5654, 0x0300}; // "VT", model 300
constexpr uint16_t invalidSlaveIdBit = 0x0010;
constexpr uint8_t maxUnicastAddress = 247;

bool isSingleBit(uint16_t value) {
    return value != 0 && (value & (value - 1)) == 0;
}

} // namespace

SimUnit::SimUnit(const SimProfile& profile) : started_(std::chrono::steady_clock::now()) {
    setConfiguration(profile);
}

SimProfile SimUnit::configuration() const {
    std::lock_guard lock(mutex_);
    return config_;
}

void SimUnit::setConfiguration(const SimProfile& profile) {
    std::lock_guard lock(mutex_);
    config_ = profile;
    if (config_.scanList.size() > SimProfile::scanListCapacity) {
        config_.scanList.resize(SimProfile::scanListCapacity);
    }
    for (int id = 0; id < SimProfile::analogChannelCount; ++id) {
        analogOutputs_[id] = static_cast<uint16_t>(config_.defaultOutput[id]);
    }
    for (int id = 0; id < SimProfile::digitalChannelCount; ++id) {
        digitalOutputs_[id] = config_.digitalPanels[id / channels].defaultOutput[id % channels];
    }
}

SimUnit::RtuLine SimUnit::rtuLine() const {
    std::lock_guard lock(mutex_);
    return {config_.slaveAddress, config_.serialInterface, config_.baudIndex, config_.parityIndex};
}

uint16_t SimUnit::keepaliveMs() const {
    std::lock_guard lock(mutex_);
    return config_.tcp[0].keepaliveMs;
}

void SimUnit::setSlaveAddressLowNibble(uint8_t lowNibble) {
    std::lock_guard lock(mutex_);
    config_.slaveAddress = static_cast<uint8_t>((config_.slaveAddress & 0xF0) | (lowNibble & 0x0F));
}

void SimUnit::freezeLiveValues(uint32_t step) {
    std::lock_guard lock(mutex_);
    frozen_ = true;
    frozenStep_ = step;
}

void SimUnit::runLiveValues() {
    std::lock_guard lock(mutex_);
    frozen_ = false;
}

uint32_t SimUnit::liveStep() const {
    std::lock_guard lock(mutex_);
    return currentStep();
}

uint16_t SimUnit::analogOutputValue(int channelId) const {
    std::lock_guard lock(mutex_);
    return channelId >= 0 && channelId < SimProfile::analogChannelCount ? analogOutputs_[channelId]
                                                                        : 0;
}

bool SimUnit::digitalOutputValue(int channelId) const {
    std::lock_guard lock(mutex_);
    return channelId >= 0 && channelId < SimProfile::digitalChannelCount &&
           digitalOutputs_[channelId] != 0;
}

uint32_t SimUnit::currentStep() const {
    if (frozen_) {
        return frozenStep_;
    }
    const auto elapsed = std::chrono::steady_clock::now() - started_;
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / liveStepMs);
}

bool SimUnit::secondaryTcpSupported() const {
    // Firmware before the third release has a single Ethernet interface.
    const std::string& firmware = config_.identity.firmwareRevision;
    return firmware != "KX5120-01AR" && firmware != "KX5120-02AR";
}

bool SimUnit::digitalPanelFitted(int panel) const {
    return config_.digitalPanels[panel].fitted;
}

// --- Registers ------------------------------------------------------------------------------

int SimUnit::readRegisters(uint16_t address, unsigned count, uint16_t* values) {
    std::lock_guard lock(mutex_);
    // Unmapped addresses are refused before any panel is consulted, as a whole.
    for (unsigned i = 0; i < count; ++i) {
        const SimBlock* block =
            SimRegisterMap::find(SimSpace::Registers, static_cast<uint16_t>(address + i));
        if (address + i > 0xFFFF || block == nullptr || !block->readable) {
            return SimPdu::illegalDataAddress;
        }
    }
    for (unsigned i = 0; i < count; ++i) {
        const int result =
            readValue(SimSpace::Registers, static_cast<uint16_t>(address + i), values[i]);
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

uint16_t SimUnit::liveAnalogValue(int channelId) const {
    switch (config_.analogState[channelId]) {
    case SimProfile::Input:
        return SimWaveform::analog(config_.waveformSeed, channelId, currentStep());
    case SimProfile::Output:
        return analogOutputs_[channelId];
    default:
        return 0;
    }
}

uint16_t SimUnit::digitalInputValue(int channelId) const {
    const uint16_t state = config_.digitalPanels[channelId / channels].state[channelId % channels];
    switch (state) {
    case SimProfile::Input:
        return SimWaveform::digital(config_.waveformSeed, channelId, currentStep()) ? 1 : 0;
    case SimProfile::Output:
        return digitalOutputs_[channelId];
    default:
        return 0;
    }
}

// --- One handler per block ------------------------------------------------------------------
//
// Each block of the map answers reads, checks a value written to it (0 or the exception the
// unit answers), and applies a checked value. A handler without a read is write-only, one
// without an apply read-only; one without a check takes every value.

int SimUnit::readLiveAnalog(const SimBlock&, unsigned offset, uint16_t& value) const {
    value = liveAnalogValue(static_cast<int>(offset));
    return 0;
}

int SimUnit::checkLiveAnalog(unsigned offset, uint16_t) const {
    // Only an output has a value to hold; an input's value is measured.
    return config_.analogState[offset] == SimProfile::Output ? 0 : SimPdu::illegalDataAddress;
}

void SimUnit::applyLiveAnalog(unsigned offset, uint16_t value) {
    analogOutputs_[offset] = value;
}

// Averages, maxima and minima of the inputs; other channels show their live value.
int SimUnit::readLiveStatistics(const SimBlock& block, unsigned offset, uint16_t& value) const {
    const int id = static_cast<int>(offset);
    if (config_.analogState[id] != SimProfile::Input) {
        value = liveAnalogValue(id);
        return 0;
    }
    const SimWaveform::Statistics statistics =
        SimWaveform::analogStatistics(config_.waveformSeed, id, currentStep());
    value = block.id == SimBlockId::LiveAnalogAverage   ? statistics.average
            : block.id == SimBlockId::LiveAnalogMaximum ? statistics.maximum
                                                        : statistics.minimum;
    return 0;
}

int SimUnit::readDeviceInformation(const SimBlock&, unsigned offset, uint16_t& value) const {
    value = offset < Layout::identityRegisters
                ? Layout::identityRegister(config_.identity, offset)
                : Layout::textRegister(config_.ethernetFirmwareRevision,
                                       offset - Layout::identityRegisters);
    return 0;
}

int SimUnit::readRtuConfiguration(const SimBlock&, unsigned offset, uint16_t& value) const {
    const uint16_t fields[] = {config_.serialInterface, config_.baudIndex, config_.parityIndex,
                               static_cast<uint16_t>(config_.slaveAddress & 0xF0)};
    value = fields[offset];
    return 0;
}

int SimUnit::checkRtuConfiguration(unsigned offset, uint16_t value) const {
    const bool valid = (offset == Rtu::serialInterface && value <= Rtu::maxSerialInterface) ||
                       (offset == Rtu::baudIndex && value <= Rtu::maxBaudIndex) ||
                       (offset == Rtu::parityIndex && value <= Rtu::maxParityIndex) ||
                       (offset == Rtu::slaveIdHigh && (value & ~Rtu::slaveIdHighMask) == 0);
    return valid ? 0 : SimPdu::illegalDataValue;
}

void SimUnit::applyRtuConfiguration(unsigned offset, uint16_t value) {
    if (offset == Rtu::serialInterface) {
        config_.serialInterface = value;
    } else if (offset == Rtu::baudIndex) {
        config_.baudIndex = value;
    } else if (offset == Rtu::parityIndex) {
        config_.parityIndex = value;
    } else {
        config_.slaveAddress = static_cast<uint8_t>((value & 0xF0) | (config_.slaveAddress & 0x0F));
    }
}

int SimUnit::readTcpConfiguration(const SimBlock&, unsigned offset, uint16_t& value) const {
    value = Layout::tcpRegister(config_.tcp[0], offset);
    return 0;
}

void SimUnit::applyTcpConfiguration(unsigned offset, uint16_t value) {
    Layout::setTcpRegister(config_.tcp[0], offset, value);
}

// Firmware with one Ethernet interface has no second block at all.
int SimUnit::readTcpConfiguration2(const SimBlock&, unsigned offset, uint16_t& value) const {
    if (!secondaryTcpSupported()) {
        return SimPdu::illegalDataAddress;
    }
    value = Layout::tcpRegister(config_.tcp[1], offset);
    return 0;
}

int SimUnit::checkTcpConfiguration2(unsigned, uint16_t) const {
    return secondaryTcpSupported() ? 0 : SimPdu::illegalDataAddress;
}

void SimUnit::applyTcpConfiguration2(unsigned offset, uint16_t value) {
    Layout::setTcpRegister(config_.tcp[1], offset, value);
}

int SimUnit::readStatusRegister(const SimBlock&, unsigned, uint16_t& value) const {
    const bool invalidSlave = config_.slaveAddress == 0 || config_.slaveAddress > maxUnicastAddress;
    value = config_.statusWord | (invalidSlave ? invalidSlaveIdBit : 0);
    return 0;
}

int SimUnit::checkResetCommand(unsigned, uint16_t value) const {
    return value == SimAddress::resetCommand ? 0 : SimPdu::illegalDataValue;
}

void SimUnit::applyResetAnalogPanels(unsigned, uint16_t) {
    resetAnalogConfiguration();
}

int SimUnit::readCommunicationCheck(const SimBlock&, unsigned offset, uint16_t& value) const {
    value = communicationCheckValue[offset];
    return 0;
}

int SimUnit::readScanMode(const SimBlock&, unsigned, uint16_t& value) const {
    value = config_.scanMode;
    return 0;
}

int SimUnit::checkScanMode(unsigned, uint16_t value) const {
    return value <= 1 ? 0 : SimPdu::illegalDataValue;
}

void SimUnit::applyScanMode(unsigned, uint16_t value) {
    config_.scanMode = value;
}

int SimUnit::readScanParameters(const SimBlock&, unsigned offset, uint16_t& value) const {
    if (offset < Scan::terminator) {
        value = offset < config_.scanList.size() ? config_.scanList[offset] : Scan::endOfList;
    } else if (offset == Scan::terminator) {
        value = Scan::endOfList;
    } else {
        value = offset == Scan::interval ? config_.scanIntervalMs : config_.scanCount;
    }
    return 0;
}

int SimUnit::checkScanParameters(unsigned offset, uint16_t value) const {
    const auto entry = static_cast<uint8_t>(value);
    const bool badEntry = offset < Scan::terminator && entry != Scan::endOfList &&
                          entry >= SimProfile::analogChannelCount;
    return badEntry ? SimPdu::illegalDataValue : 0;
}

void SimUnit::applyScanParameters(unsigned offset, uint16_t value) {
    if (offset < Scan::terminator) {
        // The unit keeps the list up to its first end marker.
        std::array<uint8_t, SimProfile::scanListCapacity> entries;
        entries.fill(Scan::endOfList);
        std::copy(config_.scanList.begin(), config_.scanList.end(), entries.begin());
        entries[offset] = static_cast<uint8_t>(value);
        const auto end = std::find(entries.begin(), entries.end(), Scan::endOfList);
        config_.scanList.assign(entries.begin(), end);
    } else if (offset == Scan::interval) {
        config_.scanIntervalMs = value;
    } else if (offset == Scan::count) {
        config_.scanCount = value;
    }
}

int SimUnit::readAnalogChannelStates(const SimBlock&, unsigned offset, uint16_t& value) const {
    value = Layout::stateToWire(config_.analogState[offset]);
    return 0;
}

// A channel of a panel that is not fitted can only be vacant.
int SimUnit::checkAnalogChannelStates(unsigned offset, uint16_t value) const {
    uint16_t state = 0;
    if (!Layout::wireToState(value, state) ||
        (state != SimProfile::Vacant && !config_.analogPanelFitted[offset / channels])) {
        return SimPdu::illegalDataValue;
    }
    return 0;
}

void SimUnit::applyAnalogChannelStates(unsigned offset, uint16_t value) {
    uint16_t state = 0;
    Layout::wireToState(value, state);
    setAnalogState(static_cast<int>(offset), state);
}

int SimUnit::readAnalogOutputOptions(const SimBlock&, unsigned offset, uint16_t& value) const {
    value = static_cast<uint16_t>(config_.defaultOutput[offset]);
    return 0;
}

void SimUnit::applyAnalogOutputOptions(unsigned offset, uint16_t value) {
    config_.defaultOutput[offset] = static_cast<int16_t>(value);
}

int SimUnit::readAnalogInputOptions(const SimBlock&, unsigned offset, uint16_t& value) const {
    const unsigned index = config_.averageWeightIndex[offset];
    value = index < 16 ? static_cast<uint16_t>(1u << index) : 0;
    return 0;
}

// A weight is one bit: 2^n samples.
int SimUnit::checkAnalogInputOptions(unsigned, uint16_t value) const {
    return isSingleBit(value) ? 0 : SimPdu::illegalDataValue;
}

void SimUnit::applyAnalogInputOptions(unsigned offset, uint16_t value) {
    config_.averageWeightIndex[offset] = static_cast<uint8_t>(std::countr_zero(value));
}

// The unit cannot reach a digital panel that is not there: reads and writes of it alike are
// answered with a device failure.
int SimUnit::readDigitalChannelStates(const SimBlock&, unsigned offset, uint16_t& value) const {
    const int panel = static_cast<int>(offset / channels);
    if (!digitalPanelFitted(panel)) {
        return SimPdu::slaveDeviceFailure;
    }
    value = Layout::stateToWire(config_.digitalPanels[panel].state[offset % channels]);
    return 0;
}

int SimUnit::checkDigitalChannelStates(unsigned offset, uint16_t value) const {
    uint16_t state = 0;
    if (!digitalPanelFitted(static_cast<int>(offset / channels))) {
        return SimPdu::slaveDeviceFailure;
    }
    return Layout::wireToState(value, state) ? 0 : SimPdu::illegalDataValue;
}

void SimUnit::applyDigitalChannelStates(unsigned offset, uint16_t value) {
    uint16_t state = 0;
    Layout::wireToState(value, state);
    setDigitalState(static_cast<int>(offset), state);
}

int SimUnit::readDigitalDeviceInformation(const SimBlock&, unsigned offset, uint16_t& value) const {
    const int panel = static_cast<int>(offset / SimAddress::digitalDeviceInformationStride);
    if (!digitalPanelFitted(panel)) {
        return SimPdu::slaveDeviceFailure;
    }
    value = Layout::identityRegister(config_.digitalPanels[panel].identity,
                                     offset % SimAddress::digitalDeviceInformationStride);
    return 0;
}

int SimUnit::checkResetDigitalPanel(unsigned offset, uint16_t value) const {
    if (!digitalPanelFitted(static_cast<int>(offset))) {
        return SimPdu::slaveDeviceFailure;
    }
    return checkResetCommand(offset, value);
}

void SimUnit::applyResetDigitalPanel(unsigned offset, uint16_t) {
    resetDigitalPanel(static_cast<int>(offset));
}

int SimUnit::readDigitalPanelBypass(const SimBlock&, unsigned offset, uint16_t& value) const {
    value = static_cast<uint16_t>(config_.digitalPanels[offset].bypass);
    return 0;
}

int SimUnit::readLiveDigital(const SimBlock&, unsigned offset, uint16_t& value) const {
    if (!digitalPanelFitted(static_cast<int>(offset / channels))) {
        return SimPdu::slaveDeviceFailure;
    }
    value = digitalInputValue(static_cast<int>(offset));
    return 0;
}

// Only an output can be driven.
int SimUnit::checkLiveDigital(unsigned offset, uint16_t) const {
    const SimProfile::DigitalPanel& panel = config_.digitalPanels[offset / channels];
    if (!panel.fitted) {
        return SimPdu::slaveDeviceFailure;
    }
    return panel.state[offset % channels] == SimProfile::Output ? 0 : SimPdu::illegalDataAddress;
}

void SimUnit::applyLiveDigital(unsigned offset, uint16_t value) {
    digitalOutputs_[offset] = static_cast<uint8_t>(value);
}

int SimUnit::readDigitalOutputOptions(const SimBlock&, unsigned offset, uint16_t& value) const {
    const int panel = static_cast<int>(offset / channels);
    if (!digitalPanelFitted(panel)) {
        return SimPdu::slaveDeviceFailure;
    }
    value = config_.digitalPanels[panel].defaultOutput[offset % channels];
    return 0;
}

int SimUnit::checkDigitalOutputOptions(unsigned offset, uint16_t) const {
    return digitalPanelFitted(static_cast<int>(offset / channels)) ? 0 : SimPdu::slaveDeviceFailure;
}

void SimUnit::applyDigitalOutputOptions(unsigned offset, uint16_t value) {
    config_.digitalPanels[offset / channels].defaultOutput[offset % channels] =
        static_cast<uint8_t>(value);
}

const SimUnit::BlockHandler& SimUnit::handler(SimBlockId id) {
    using U = SimUnit;
    using enum SimBlockId;
    // clang-format off
    static constexpr BlockHandler handlers[] = {
        // block                     read                         check                          apply
        {LiveAnalog,               &U::readLiveAnalog,           &U::checkLiveAnalog,           &U::applyLiveAnalog},
        {LiveAnalogAverage,        &U::readLiveStatistics,       nullptr,                       nullptr},
        {LiveAnalogMaximum,        &U::readLiveStatistics,       nullptr,                       nullptr},
        {LiveAnalogMinimum,        &U::readLiveStatistics,       nullptr,                       nullptr},
        {DeviceInformation,        &U::readDeviceInformation,    nullptr,                       nullptr},
        {RtuConfiguration,         &U::readRtuConfiguration,     &U::checkRtuConfiguration,     &U::applyRtuConfiguration},
        {TcpConfiguration,         &U::readTcpConfiguration,     nullptr,                       &U::applyTcpConfiguration},
        {TcpConfiguration2,        &U::readTcpConfiguration2,    &U::checkTcpConfiguration2,    &U::applyTcpConfiguration2},
        {StatusRegister,           &U::readStatusRegister,       nullptr,                       nullptr},
        {ResetAnalogPanels,        nullptr,                      &U::checkResetCommand,         &U::applyResetAnalogPanels},
        {CommunicationCheck,       &U::readCommunicationCheck,   nullptr,                       nullptr},
        {AnalogScanMode,           &U::readScanMode,             &U::checkScanMode,             &U::applyScanMode},
        {ScanParameters,           &U::readScanParameters,       &U::checkScanParameters,       &U::applyScanParameters},
        {AnalogChannelStates,      &U::readAnalogChannelStates,  &U::checkAnalogChannelStates,  &U::applyAnalogChannelStates},
        {AnalogOutputOptions,      &U::readAnalogOutputOptions,  nullptr,                       &U::applyAnalogOutputOptions},
        {AnalogInputOptions,       &U::readAnalogInputOptions,   &U::checkAnalogInputOptions,   &U::applyAnalogInputOptions},
        {DigitalChannelStates,     &U::readDigitalChannelStates, &U::checkDigitalChannelStates, &U::applyDigitalChannelStates},
        {DigitalDeviceInformation, &U::readDigitalDeviceInformation, nullptr,                   nullptr},
        {ResetDigitalPanel,        nullptr,                      &U::checkResetDigitalPanel,    &U::applyResetDigitalPanel},
        {DigitalPanelBypass,       &U::readDigitalPanelBypass,   nullptr,                       nullptr},
        {LiveDigital,              &U::readLiveDigital,          &U::checkLiveDigital,          &U::applyLiveDigital},
        {DigitalOutputOptions,     &U::readDigitalOutputOptions, &U::checkDigitalOutputOptions, &U::applyDigitalOutputOptions},
    };
    // clang-format on
    static_assert(std::size(handlers) == static_cast<size_t>(DigitalOutputOptions) + 1);
    static_assert(
        [] {
            for (size_t i = 0; i < std::size(handlers); ++i) {
                if (static_cast<size_t>(handlers[i].id) != i) {
                    return false;
                }
            }
            return true;
        }(),
        "handlers must be in SimBlockId order");
    return handlers[static_cast<size_t>(id)];
}

int SimUnit::readValue(SimSpace space, uint16_t address, uint16_t& value) const {
    const SimBlock* block = SimRegisterMap::find(space, address);
    const BlockHandler& blockHandler = handler(block->id);
    return (this->*blockHandler.read)(*block, address - block->address, value);
}

int SimUnit::checkValue(const SimBlock& block, unsigned offset, uint16_t value) const {
    const BlockHandler& blockHandler = handler(block.id);
    return blockHandler.check == nullptr ? 0 : (this->*blockHandler.check)(offset, value);
}

void SimUnit::applyValue(const SimBlock& block, unsigned offset, uint16_t value) {
    (this->*handler(block.id).apply)(offset, value);
}

int SimUnit::writeRegisters(uint16_t address, unsigned count, const uint16_t* values) {
    std::lock_guard lock(mutex_);
    const SimBlock* block = SimRegisterMap::find(SimSpace::Registers, address);
    // A write stays inside the writable part of one block, and is checked as a whole first, so
    // that a refused write changes nothing.
    if (block == nullptr || count == 0 || address - block->address + count > block->writableCount) {
        return SimPdu::illegalDataAddress;
    }
    const unsigned first = address - block->address;
    for (unsigned i = 0; i < count; ++i) {
        const int result = checkValue(*block, first + i, values[i]);
        if (result != 0) {
            return result;
        }
    }
    for (unsigned i = 0; i < count; ++i) {
        applyValue(*block, first + i, values[i]);
    }
    return 0;
}

namespace {
constexpr uint8_t factoryAverageWeightIndex = 2;
constexpr uint16_t factoryScanIntervalMs = 100;
constexpr uint16_t factoryScanCount = 1;
} // namespace

void SimUnit::setAnalogState(int channelId, uint16_t state) {
    if (config_.analogState[channelId] == state) {
        return;
    }
    config_.analogState[channelId] = state;
    if (state == SimProfile::Input) {
        config_.averageWeightIndex[channelId] = factoryAverageWeightIndex;
    } else if (state == SimProfile::Output) {
        config_.defaultOutput[channelId] = 0;
        analogOutputs_[channelId] = 0;
    }
}

void SimUnit::setDigitalState(int channelId, uint16_t state) {
    SimProfile::DigitalPanel& panel = config_.digitalPanels[channelId / channels];
    const int channel = channelId % channels;
    if (panel.state[channel] == state) {
        return;
    }
    panel.state[channel] = state;
    if (state == SimProfile::Output) {
        panel.defaultOutput[channel] = 0;
        digitalOutputs_[channelId] = 0;
    }
}

void SimUnit::resetAnalogConfiguration() {
    for (int id = 0; id < SimProfile::analogChannelCount; ++id) {
        const bool fitted = config_.analogPanelFitted[id / channels];
        config_.analogState[id] = fitted ? SimProfile::Input : SimProfile::Vacant;
        config_.averageWeightIndex[id] = factoryAverageWeightIndex;
        config_.defaultOutput[id] = 0;
        analogOutputs_[id] = 0;
    }
    config_.scanMode = 0;
    config_.scanList.clear();
    config_.scanIntervalMs = factoryScanIntervalMs;
    config_.scanCount = factoryScanCount;
}

void SimUnit::resetDigitalPanel(int panel) {
    SimProfile::DigitalPanel& digital = config_.digitalPanels[panel];
    for (int ch = 0; ch < channels; ++ch) {
        digital.state[ch] = SimProfile::Input;
        digital.defaultOutput[ch] = 0;
        digitalOutputs_[panel * channels + ch] = 0;
    }
}

// --- Coils ----------------------------------------------------------------------------------

int SimUnit::readCoils(uint16_t address, unsigned count, uint8_t* bits) {
    std::lock_guard lock(mutex_);
    for (unsigned i = 0; i < count; ++i) {
        if (address + i > 0xFFFF ||
            SimRegisterMap::find(SimSpace::Coils, static_cast<uint16_t>(address + i)) == nullptr) {
            return SimPdu::illegalDataAddress;
        }
    }
    for (unsigned i = 0; i < count; ++i) {
        uint16_t bit = 0;
        const int result = readValue(SimSpace::Coils, static_cast<uint16_t>(address + i), bit);
        if (result != 0) {
            return result;
        }
        bits[i] = static_cast<uint8_t>(bit);
    }
    return 0;
}

int SimUnit::writeCoils(uint16_t address, unsigned count, const uint8_t* bits) {
    std::lock_guard lock(mutex_);
    for (unsigned i = 0; i < count; ++i) {
        const SimBlock* block =
            address + i > 0xFFFF
                ? nullptr
                : SimRegisterMap::find(SimSpace::Coils, static_cast<uint16_t>(address + i));
        if (block == nullptr) {
            return SimPdu::illegalDataAddress;
        }
        const int result = checkValue(*block, address + i - block->address, bits[i] ? 1 : 0);
        if (result != 0) {
            return result;
        }
    }
    for (unsigned i = 0; i < count; ++i) {
        const SimBlock* block =
            SimRegisterMap::find(SimSpace::Coils, static_cast<uint16_t>(address + i));
        applyValue(*block, address + i - block->address, bits[i] ? 1 : 0);
    }
    return 0;
}
