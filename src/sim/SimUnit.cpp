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
        const int result = readRegister(static_cast<uint16_t>(address + i), values[i]);
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

int SimUnit::readRegister(uint16_t address, uint16_t& value) const {
    const SimBlock* block = SimRegisterMap::find(SimSpace::Registers, address);
    const unsigned offset = address - block->address;
    switch (block->id) {
    case SimBlockId::LiveAnalog:
        value = liveAnalogValue(static_cast<int>(offset));
        return 0;
    case SimBlockId::LiveAnalogAverage:
    case SimBlockId::LiveAnalogMaximum:
    case SimBlockId::LiveAnalogMinimum: {
        const int id = static_cast<int>(offset);
        if (config_.analogState[id] != SimProfile::Input) {
            value = liveAnalogValue(id);
            return 0;
        }
        const SimWaveform::Statistics statistics =
            SimWaveform::analogStatistics(config_.waveformSeed, id, currentStep());
        value = block->id == SimBlockId::LiveAnalogAverage   ? statistics.average
                : block->id == SimBlockId::LiveAnalogMaximum ? statistics.maximum
                                                             : statistics.minimum;
        return 0;
    }
    case SimBlockId::DeviceInformation:
        value = offset < Layout::identityRegisters
                    ? Layout::identityRegister(config_.identity, offset)
                    : Layout::textRegister(config_.ethernetFirmwareRevision,
                                           offset - Layout::identityRegisters);
        return 0;
    case SimBlockId::RtuConfiguration: {
        const uint16_t fields[] = {config_.serialInterface, config_.baudIndex, config_.parityIndex,
                                   static_cast<uint16_t>(config_.slaveAddress & 0xF0)};
        value = fields[offset];
        return 0;
    }
    case SimBlockId::TcpConfiguration:
        value = Layout::tcpRegister(config_.tcp[0], offset);
        return 0;
    case SimBlockId::TcpConfiguration2:
        if (!secondaryTcpSupported()) {
            return SimPdu::illegalDataAddress;
        }
        value = Layout::tcpRegister(config_.tcp[1], offset);
        return 0;
    case SimBlockId::StatusRegister: {
        const bool invalidSlave =
            config_.slaveAddress == 0 || config_.slaveAddress > maxUnicastAddress;
        value = config_.statusWord | (invalidSlave ? invalidSlaveIdBit : 0);
        return 0;
    }
    case SimBlockId::CommunicationCheck:
        value = communicationCheckValue[offset];
        return 0;
    case SimBlockId::AnalogScanMode:
        value = config_.scanMode;
        return 0;
    case SimBlockId::ScanParameters:
        if (offset < Scan::terminator) {
            value = offset < config_.scanList.size() ? config_.scanList[offset] : Scan::endOfList;
        } else if (offset == Scan::terminator) {
            value = Scan::endOfList;
        } else {
            value = offset == Scan::interval ? config_.scanIntervalMs : config_.scanCount;
        }
        return 0;
    case SimBlockId::AnalogChannelStates:
        value = Layout::stateToWire(config_.analogState[offset]);
        return 0;
    case SimBlockId::AnalogOutputOptions:
        value = static_cast<uint16_t>(config_.defaultOutput[offset]);
        return 0;
    case SimBlockId::AnalogInputOptions: {
        const unsigned index = config_.averageWeightIndex[offset];
        value = index < 16 ? static_cast<uint16_t>(1u << index) : 0;
        return 0;
    }
    case SimBlockId::DigitalChannelStates: {
        const int panel = static_cast<int>(offset / channels);
        if (!digitalPanelFitted(panel)) {
            return SimPdu::slaveDeviceFailure;
        }
        value = Layout::stateToWire(config_.digitalPanels[panel].state[offset % channels]);
        return 0;
    }
    case SimBlockId::DigitalDeviceInformation: {
        const int panel = static_cast<int>(offset / SimAddress::digitalDeviceInformationStride);
        // The unit cannot reach a panel that is not there: it reports a device failure.
        if (!digitalPanelFitted(panel)) {
            return SimPdu::slaveDeviceFailure;
        }
        value = Layout::identityRegister(config_.digitalPanels[panel].identity,
                                         offset % SimAddress::digitalDeviceInformationStride);
        return 0;
    }
    case SimBlockId::DigitalPanelBypass:
        value = static_cast<uint16_t>(config_.digitalPanels[offset].bypass);
        return 0;
    default:
        return SimPdu::illegalDataAddress;
    }
}

int SimUnit::writeRegisters(uint16_t address, unsigned count, const uint16_t* values) {
    std::lock_guard lock(mutex_);
    // A write is checked as a whole first, so a refused write changes nothing.
    const int result = checkWrite(address, count, values);
    if (result != 0) {
        return result;
    }
    for (unsigned i = 0; i < count; ++i) {
        applyWrite(static_cast<uint16_t>(address + i), values[i]);
    }
    return 0;
}

int SimUnit::checkWrite(uint16_t address, unsigned count, const uint16_t* values) const {
    const SimBlock* block = SimRegisterMap::find(SimSpace::Registers, address);
    // A write stays inside the writable part of one block.
    if (block == nullptr || count == 0 || address - block->address + count > block->writableCount) {
        return SimPdu::illegalDataAddress;
    }
    for (unsigned i = 0; i < count; ++i) {
        const unsigned offset = address - block->address + i;
        const uint16_t value = values[i];
        const int panel = static_cast<int>(offset / channels);
        uint16_t state = 0;
        switch (block->id) {
        case SimBlockId::LiveAnalog:
            // Only an output has a value to hold; an input's value is measured.
            if (config_.analogState[offset] != SimProfile::Output) {
                return SimPdu::illegalDataAddress;
            }
            break;
        case SimBlockId::RtuConfiguration: {
            const bool valid =
                (offset == Rtu::serialInterface && value <= Rtu::maxSerialInterface) ||
                (offset == Rtu::baudIndex && value <= Rtu::maxBaudIndex) ||
                (offset == Rtu::parityIndex && value <= Rtu::maxParityIndex) ||
                (offset == Rtu::slaveIdHigh && (value & ~Rtu::slaveIdHighMask) == 0);
            if (!valid) {
                return SimPdu::illegalDataValue;
            }
            break;
        }
        case SimBlockId::TcpConfiguration2:
            if (!secondaryTcpSupported()) {
                return SimPdu::illegalDataAddress;
            }
            break;
        case SimBlockId::ResetAnalogPanels:
            if (value != SimAddress::resetCommand) {
                return SimPdu::illegalDataValue;
            }
            break;
        case SimBlockId::AnalogScanMode:
            if (value > 1) {
                return SimPdu::illegalDataValue;
            }
            break;
        case SimBlockId::ScanParameters: {
            const uint8_t entry = static_cast<uint8_t>(value);
            if (offset < Scan::terminator && entry != Scan::endOfList &&
                entry >= SimProfile::analogChannelCount) {
                return SimPdu::illegalDataValue;
            }
            break;
        }
        case SimBlockId::AnalogChannelStates:
            if (!Layout::wireToState(value, state) ||
                (state != SimProfile::Vacant && !config_.analogPanelFitted[panel])) {
                return SimPdu::illegalDataValue;
            }
            break;
        case SimBlockId::AnalogInputOptions:
            if (!isSingleBit(value)) {
                return SimPdu::illegalDataValue;
            }
            break;
        case SimBlockId::DigitalChannelStates:
            if (!digitalPanelFitted(panel)) {
                return SimPdu::slaveDeviceFailure;
            }
            if (!Layout::wireToState(value, state)) {
                return SimPdu::illegalDataValue;
            }
            break;
        case SimBlockId::ResetDigitalPanel:
            if (!digitalPanelFitted(static_cast<int>(offset))) {
                return SimPdu::slaveDeviceFailure;
            }
            if (value != SimAddress::resetCommand) {
                return SimPdu::illegalDataValue;
            }
            break;
        default:
            break;
        }
    }
    return 0;
}

void SimUnit::applyWrite(uint16_t address, uint16_t value) {
    const SimBlock* block = SimRegisterMap::find(SimSpace::Registers, address);
    const unsigned offset = address - block->address;
    const int id = static_cast<int>(offset);
    uint16_t state = 0;
    switch (block->id) {
    case SimBlockId::LiveAnalog:
        analogOutputs_[id] = value;
        break;
    case SimBlockId::RtuConfiguration:
        if (offset == Rtu::serialInterface) {
            config_.serialInterface = value;
        } else if (offset == Rtu::baudIndex) {
            config_.baudIndex = value;
        } else if (offset == Rtu::parityIndex) {
            config_.parityIndex = value;
        } else {
            config_.slaveAddress =
                static_cast<uint8_t>((value & 0xF0) | (config_.slaveAddress & 0x0F));
        }
        break;
    case SimBlockId::TcpConfiguration:
        Layout::setTcpRegister(config_.tcp[0], offset, value);
        break;
    case SimBlockId::TcpConfiguration2:
        Layout::setTcpRegister(config_.tcp[1], offset, value);
        break;
    case SimBlockId::ResetAnalogPanels:
        resetAnalogConfiguration();
        break;
    case SimBlockId::AnalogScanMode:
        config_.scanMode = value;
        break;
    case SimBlockId::ScanParameters:
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
        break;
    case SimBlockId::AnalogChannelStates:
        Layout::wireToState(value, state);
        setAnalogState(id, state);
        break;
    case SimBlockId::AnalogOutputOptions:
        config_.defaultOutput[id] = static_cast<int16_t>(value);
        break;
    case SimBlockId::AnalogInputOptions:
        config_.averageWeightIndex[id] = static_cast<uint8_t>(std::countr_zero(value));
        break;
    case SimBlockId::DigitalChannelStates:
        Layout::wireToState(value, state);
        setDigitalState(id, state);
        break;
    case SimBlockId::ResetDigitalPanel:
        resetDigitalPanel(id);
        break;
    default:
        break;
    }
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
        const int result = readCoil(static_cast<uint16_t>(address + i), bits[i]);
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

int SimUnit::readCoil(uint16_t address, uint8_t& bit) const {
    const SimBlock* block = SimRegisterMap::find(SimSpace::Coils, address);
    const int id = address - block->address;
    const int panel = id / channels;
    if (!digitalPanelFitted(panel)) {
        return SimPdu::slaveDeviceFailure;
    }
    if (block->id == SimBlockId::LiveDigital) {
        bit = static_cast<uint8_t>(digitalInputValue(id));
    } else {
        bit = config_.digitalPanels[panel].defaultOutput[id % channels];
    }
    return 0;
}

int SimUnit::writeCoils(uint16_t address, unsigned count, const uint8_t* bits) {
    std::lock_guard lock(mutex_);
    for (unsigned i = 0; i < count; ++i) {
        if (address + i > 0xFFFF) {
            return SimPdu::illegalDataAddress;
        }
        const int result = checkCoilWrite(static_cast<uint16_t>(address + i));
        if (result != 0) {
            return result;
        }
    }
    for (unsigned i = 0; i < count; ++i) {
        applyCoilWrite(static_cast<uint16_t>(address + i), bits[i] ? 1 : 0);
    }
    return 0;
}

int SimUnit::checkCoilWrite(uint16_t address) const {
    const SimBlock* block = SimRegisterMap::find(SimSpace::Coils, address);
    if (block == nullptr) {
        return SimPdu::illegalDataAddress;
    }
    const int id = address - block->address;
    const SimProfile::DigitalPanel& panel = config_.digitalPanels[id / channels];
    if (!panel.fitted) {
        return SimPdu::slaveDeviceFailure;
    }
    if (block->id == SimBlockId::LiveDigital && panel.state[id % channels] != SimProfile::Output) {
        return SimPdu::illegalDataAddress;
    }
    return 0;
}

void SimUnit::applyCoilWrite(uint16_t address, uint8_t bit) {
    const SimBlock* block = SimRegisterMap::find(SimSpace::Coils, address);
    const int id = address - block->address;
    if (block->id == SimBlockId::LiveDigital) {
        digitalOutputs_[id] = bit;
    } else {
        config_.digitalPanels[id / channels].defaultOutput[id % channels] = bit;
    }
}
