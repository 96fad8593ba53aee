#include "sim/SimUnit.h"

#include "sim/SimPdu.h"
#include "sim/SimRegisterMap.h"
#include "sim/SimWaveform.h"

#include <algorithm>
#include <bit>

namespace {

constexpr int channels = SimProfile::channelsPerPanel;

// Channel states on the wire; an Output is 0x0080, not 2.
constexpr uint16_t wireVacant = 0x0000;
constexpr uint16_t wireInput = 0x0001;
constexpr uint16_t wireOutput = 0x0080;
constexpr uint16_t wireInvalid = 0xFFFF;

uint16_t stateToWire(uint16_t state) {
    switch (state) {
    case SimProfile::Vacant:
        return wireVacant;
    case SimProfile::Input:
        return wireInput;
    case SimProfile::Output:
        return wireOutput;
    default:
        return wireInvalid;
    }
}

bool wireToState(uint16_t wire, uint16_t& state) {
    switch (wire) {
    case wireVacant:
        state = SimProfile::Vacant;
        return true;
    case wireInput:
        state = SimProfile::Input;
        return true;
    case wireOutput:
        state = SimProfile::Output;
        return true;
    default:
        return false;
    }
}

// Text fields: one ASCII character per register, in the low byte, NUL-padded.
uint16_t textRegister(const std::string& text, unsigned index) {
    return index < text.size() ? static_cast<uint8_t>(text[index]) : 0;
}

uint16_t octetPair(const uint8_t* octets, unsigned pair) {
    return static_cast<uint16_t>((octets[2 * pair] << 8) | octets[2 * pair + 1]);
}

void setOctetPair(uint8_t* octets, unsigned pair, uint16_t value) {
    octets[2 * pair] = static_cast<uint8_t>(value >> 8);
    octets[2 * pair + 1] = static_cast<uint8_t>(value);
}

uint16_t identityRegister(const SimProfile::Identity& identity, unsigned offset) {
    const std::string* fields[] = {&identity.manufacturer, &identity.modelNumber,
                                   &identity.serialNumber, &identity.firmwareRevision};
    return textRegister(*fields[offset / 16], offset % 16);
}

// TCP configuration layout: octet pairs of the address, mask and gateway, then keepalive,
// port and the MAC address.
namespace TcpRegister {
constexpr unsigned ipAddress = 0;
constexpr unsigned subnetMask = 2;
constexpr unsigned gateway = 4;
constexpr unsigned keepalive = 6;
constexpr unsigned port = 7;
constexpr unsigned macAddress = 8;
} // namespace TcpRegister

uint16_t tcpRegister(const SimProfile::TcpInterface& tcp, unsigned offset) {
    using namespace TcpRegister;
    if (offset < subnetMask) {
        return octetPair(tcp.ipAddress.data(), offset - ipAddress);
    }
    if (offset < gateway) {
        return octetPair(tcp.subnetMask.data(), offset - subnetMask);
    }
    if (offset < keepalive) {
        return octetPair(tcp.gateway.data(), offset - gateway);
    }
    if (offset == keepalive) {
        return tcp.keepaliveMs;
    }
    if (offset == port) {
        return tcp.tcpPort;
    }
    return octetPair(tcp.macAddress.data(), offset - macAddress);
}

void setTcpRegister(SimProfile::TcpInterface& tcp, unsigned offset, uint16_t value) {
    using namespace TcpRegister;
    if (offset < subnetMask) {
        setOctetPair(tcp.ipAddress.data(), offset - ipAddress, value);
    } else if (offset < gateway) {
        setOctetPair(tcp.subnetMask.data(), offset - subnetMask, value);
    } else if (offset < keepalive) {
        setOctetPair(tcp.gateway.data(), offset - gateway, value);
    } else if (offset == keepalive) {
        tcp.keepaliveMs = value;
    }
}

// RTU configuration layout.
namespace RtuRegister {
constexpr unsigned serialInterface = 0;
constexpr unsigned baudIndex = 1;
constexpr unsigned parityIndex = 2;
constexpr unsigned slaveIdHigh = 3;
constexpr uint16_t maxSerialInterface = 2;
constexpr uint16_t maxBaudIndex = 7;
constexpr uint16_t maxParityIndex = 2;
constexpr uint16_t slaveIdHighMask = 0x00F0;
} // namespace RtuRegister

// Scan parameter layout: 64 list entries, the terminator, interval and count.
namespace ScanRegister {
constexpr unsigned terminator = 64;
constexpr unsigned interval = 65;
constexpr unsigned count = 66;
constexpr uint8_t endOfList = 0xFF;
} // namespace ScanRegister

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
        value = offset < 64 ? identityRegister(config_.identity, offset)
                            : textRegister(config_.ethernetFirmwareRevision, offset - 64);
        return 0;
    case SimBlockId::RtuConfiguration: {
        const uint16_t fields[] = {config_.serialInterface, config_.baudIndex, config_.parityIndex,
                                   static_cast<uint16_t>(config_.slaveAddress & 0xF0)};
        value = fields[offset];
        return 0;
    }
    case SimBlockId::TcpConfiguration:
        value = tcpRegister(config_.tcp[0], offset);
        return 0;
    case SimBlockId::TcpConfiguration2:
        if (!secondaryTcpSupported()) {
            return SimPdu::illegalDataAddress;
        }
        value = tcpRegister(config_.tcp[1], offset);
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
        if (offset < ScanRegister::terminator) {
            value = offset < config_.scanList.size() ? config_.scanList[offset]
                                                     : ScanRegister::endOfList;
        } else if (offset == ScanRegister::terminator) {
            value = ScanRegister::endOfList;
        } else {
            value = offset == ScanRegister::interval ? config_.scanIntervalMs : config_.scanCount;
        }
        return 0;
    case SimBlockId::AnalogChannelStates:
        value = stateToWire(config_.analogState[offset]);
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
        value = stateToWire(config_.digitalPanels[panel].state[offset % channels]);
        return 0;
    }
    case SimBlockId::DigitalDeviceInformation: {
        const int panel = static_cast<int>(offset / SimAddress::digitalDeviceInformationStride);
        // The unit cannot reach a panel that is not there: it reports a device failure.
        if (!digitalPanelFitted(panel)) {
            return SimPdu::slaveDeviceFailure;
        }
        value = identityRegister(config_.digitalPanels[panel].identity,
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
            using namespace RtuRegister;
            const bool valid = (offset == serialInterface && value <= maxSerialInterface) ||
                               (offset == baudIndex && value <= maxBaudIndex) ||
                               (offset == parityIndex && value <= maxParityIndex) ||
                               (offset == slaveIdHigh && (value & ~slaveIdHighMask) == 0);
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
            if (offset < ScanRegister::terminator && entry != ScanRegister::endOfList &&
                entry >= SimProfile::analogChannelCount) {
                return SimPdu::illegalDataValue;
            }
            break;
        }
        case SimBlockId::AnalogChannelStates:
            if (!wireToState(value, state) ||
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
            if (!wireToState(value, state)) {
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
        if (offset == RtuRegister::serialInterface) {
            config_.serialInterface = value;
        } else if (offset == RtuRegister::baudIndex) {
            config_.baudIndex = value;
        } else if (offset == RtuRegister::parityIndex) {
            config_.parityIndex = value;
        } else {
            config_.slaveAddress =
                static_cast<uint8_t>((value & 0xF0) | (config_.slaveAddress & 0x0F));
        }
        break;
    case SimBlockId::TcpConfiguration:
        setTcpRegister(config_.tcp[0], offset, value);
        break;
    case SimBlockId::TcpConfiguration2:
        setTcpRegister(config_.tcp[1], offset, value);
        break;
    case SimBlockId::ResetAnalogPanels:
        resetAnalogConfiguration();
        break;
    case SimBlockId::AnalogScanMode:
        config_.scanMode = value;
        break;
    case SimBlockId::ScanParameters:
        if (offset < ScanRegister::terminator) {
            // The unit keeps the list up to its first end marker.
            std::array<uint8_t, SimProfile::scanListCapacity> entries;
            entries.fill(ScanRegister::endOfList);
            std::copy(config_.scanList.begin(), config_.scanList.end(), entries.begin());
            entries[offset] = static_cast<uint8_t>(value);
            const auto end = std::find(entries.begin(), entries.end(), ScanRegister::endOfList);
            config_.scanList.assign(entries.begin(), end);
        } else if (offset == ScanRegister::interval) {
            config_.scanIntervalMs = value;
        } else if (offset == ScanRegister::count) {
            config_.scanCount = value;
        }
        break;
    case SimBlockId::AnalogChannelStates:
        wireToState(value, state);
        setAnalogState(id, state);
        break;
    case SimBlockId::AnalogOutputOptions:
        config_.defaultOutput[id] = static_cast<int16_t>(value);
        break;
    case SimBlockId::AnalogInputOptions:
        config_.averageWeightIndex[id] = static_cast<uint8_t>(std::countr_zero(value));
        break;
    case SimBlockId::DigitalChannelStates:
        wireToState(value, state);
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
