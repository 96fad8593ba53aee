#include "device/CVtrConfigDoc.h"

#include "device/AverageWeightCode.h"
#include "device/ChannelStateCode.h"
#include "device/DeviceInfoCodec.h"
#include "device/RtuConfigCodec.h"
#include "device/ScanParametersCodec.h"
#include "device/TcpConfigCodec.h"
#include "device/VtrFile.h"
#include "modbus/MbusError.h"
#include "modbus/MbusMasterFunctions.h"
#include "ui/CArchive.h"

#include <array>

namespace {

using PanelLayout::analogPanels;
using PanelLayout::channelsPerPanel;
using PanelLayout::digitalPanels;

template <DeviceBlock block>
using BlockRegisters = std::array<uint16_t, RegisterMap::count(block)>;

bool isTcpIndex(int index) {
    return index >= 0 && index < DeviceImage::tcpInterfaces;
}

DeviceBlock tcpBlock(int index) {
    return index == 0 ? DeviceBlock::tcpConfiguration : DeviceBlock::tcpConfiguration2;
}

template <typename T>
const T* validOrNull(const T& entry, int32_t flag) {
    return flag ? &entry : nullptr;
}

} // namespace

void CVtrConfigDoc::useOpenLink(MbusMasterFunctions* master) {
    currentMaster = master;
    connected = master != nullptr ? 1 : 0;
}

int CVtrConfigDoc::slaveAddress() const {
    return options.protocol == ConnectOptions::modbusTcp ? tcpSlaveAddress : options.slaveId;
}

int CVtrConfigDoc::readRegisters(DeviceBlock block, int panel, std::span<uint16_t> registers) {
    if (RegisterMap::block(block).readFunction != RegisterMap::fn4) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    if (currentMaster == nullptr) {
        return MBUS_ILLEGAL_STATE;
    }
    const int ref = RegisterMap::reference(RegisterMap::panelAddress(block, panel));
    return currentMaster->readInputRegisters(slaveAddress(), ref, registers.data(),
                                             static_cast<int>(registers.size()));
}

int CVtrConfigDoc::readCoils(DeviceBlock block, int panel, std::span<int> coils) {
    if (RegisterMap::block(block).readFunction != RegisterMap::fn1) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    if (currentMaster == nullptr) {
        return MBUS_ILLEGAL_STATE;
    }
    const int ref = RegisterMap::reference(RegisterMap::panelAddress(block, panel));
    return currentMaster->readCoils(slaveAddress(), ref, coils.data(),
                                    static_cast<int>(coils.size()));
}

void CVtrConfigDoc::recheckAfterDeviceFailure(int error) {
    if (error == MBUS_SLAVE_DEVICE_FAILURE) {
        checkCommunication();
    }
}

int CVtrConfigDoc::checkCommunication() {
    BlockRegisters<DeviceBlock::communicationCheck> registers{};
    return readRegisters(DeviceBlock::communicationCheck, 0, registers);
}

int CVtrConfigDoc::readStatusRegister() {
    BlockRegisters<DeviceBlock::statusRegister> registers{};
    const int result = readRegisters(DeviceBlock::statusRegister, 0, registers);
    if (result == MBUS_SUCCESS) {
        image_.statusWord = registers[0];
    }
    return result;
}

int CVtrConfigDoc::readDeviceInformation() {
    BlockRegisters<DeviceBlock::deviceInformation> registers{};
    const int result = readRegisters(DeviceBlock::deviceInformation, 0, registers);
    if (result == MBUS_SUCCESS) {
        image_.deviceInfo = DeviceInfoCodec::decode(registers);
        image_.secondaryTcpSupported =
            DeviceInfoCodec::supportsSecondaryTcp(image_.deviceInfo.firmwareRevision) ? 1 : 0;
    }
    return result;
}

int CVtrConfigDoc::readDigitalPanelBypass() {
    BlockRegisters<DeviceBlock::digitalPanelBypass> registers{};
    const int result = readRegisters(DeviceBlock::digitalPanelBypass, 0, registers);
    if (result == MBUS_SUCCESS) {
        for (int panel = 0; panel < digitalPanels; ++panel) {
            // The unit's register is signed.
            image_.panelBypass[panel] = static_cast<int16_t>(registers[panel]);
        }
    }
    return result;
}

int CVtrConfigDoc::readRtuConfiguration() {
    BlockRegisters<DeviceBlock::rtuConfiguration> registers{};
    const int result = readRegisters(DeviceBlock::rtuConfiguration, 0, registers);
    if (result == MBUS_SUCCESS) {
        image_.rtuConfig = RtuConfigCodec::decode(registers);
        image_.rtuConfigValid = 1;
    }
    return result;
}

int CVtrConfigDoc::readTcpConfiguration(int index) {
    if (!isTcpIndex(index)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    BlockRegisters<DeviceBlock::tcpConfiguration> registers{};
    const int result = readRegisters(tcpBlock(index), 0, registers);
    if (result == MBUS_SUCCESS) {
        image_.tcpConfig[index] = TcpConfigCodec::decode(registers);
        image_.tcpConfigValid[index] = 1;
    }
    return result;
}

int CVtrConfigDoc::readScanMode() {
    BlockRegisters<DeviceBlock::analogScanMode> registers{};
    const int result = readRegisters(DeviceBlock::analogScanMode, 0, registers);
    if (result == MBUS_SUCCESS) {
        image_.scanMode = registers[0];
        image_.scanModeValid = 1;
    }
    return result;
}

int CVtrConfigDoc::readScanParameters() {
    BlockRegisters<DeviceBlock::scanParameters> registers{};
    const int result = readRegisters(DeviceBlock::scanParameters, 0, registers);
    if (result == MBUS_SUCCESS) {
        image_.scanParameters = ScanParametersCodec::decode(registers);
        image_.scanParametersValid = 1;
    }
    return result;
}

int CVtrConfigDoc::readAnalogChannelStates() {
    BlockRegisters<DeviceBlock::analogChannelStates> registers{};
    const int result = readRegisters(DeviceBlock::analogChannelStates, 0, registers);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    for (int panel = 0; panel < analogPanels; ++panel) {
        for (int channel = 0; channel < channelsPerPanel; ++channel) {
            image_.analogChannelState[panel][channel] =
                ChannelStateCode::decode(registers[PanelLayout::channelId(panel, channel)]);
        }
        image_.analogStatesValid[panel] = 1;
    }
    return result;
}

int CVtrConfigDoc::readAnalogInputOptions() {
    BlockRegisters<DeviceBlock::analogInputOptions> registers{};
    const int result = readRegisters(DeviceBlock::analogInputOptions, 0, registers);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    for (int panel = 0; panel < analogPanels; ++panel) {
        for (int channel = 0; channel < channelsPerPanel; ++channel) {
            image_.averageWeightIndex[panel][channel] =
                AverageWeightCode::decode(registers[PanelLayout::channelId(panel, channel)],
                                          image_.analogChannelState[panel][channel]);
            image_.averageWeightValid[panel][channel] = 1;
        }
    }
    return result;
}

int CVtrConfigDoc::readAnalogOutputOptions() {
    BlockRegisters<DeviceBlock::analogOutputOptions> registers{};
    const int result = readRegisters(DeviceBlock::analogOutputOptions, 0, registers);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    for (int panel = 0; panel < analogPanels; ++panel) {
        for (int channel = 0; channel < channelsPerPanel; ++channel) {
            image_.defaultOutput[panel][channel] =
                static_cast<int16_t>(registers[PanelLayout::channelId(panel, channel)]);
            image_.defaultOutputValid[panel][channel] = 1;
        }
    }
    return result;
}

int CVtrConfigDoc::readDigitalDeviceInformation() {
    for (int panel = 0; panel < digitalPanels; ++panel) {
        if (image_.panelBypass[panel] != 0) {
            image_.digitalPanelPresent[panel] = 0;
            image_.digitalDeviceInfoValid[panel] = 0;
            continue;
        }
        BlockRegisters<DeviceBlock::digitalDeviceInformation> registers{};
        const int result = readRegisters(DeviceBlock::digitalDeviceInformation, panel, registers);
        if (result == MBUS_SLAVE_DEVICE_FAILURE) {
            // The unit refuses the read of a panel that is not fitted.
            recheckAfterDeviceFailure(result);
            image_.digitalPanelPresent[panel] = 0;
            image_.digitalDeviceInfoValid[panel] = 0;
            continue;
        }
        if (result != MBUS_SUCCESS) {
            return result;
        }
        image_.digitalDeviceInfo[panel] = DeviceInfoCodec::decodeDigital(registers);
        image_.digitalDeviceInfoValid[panel] = 1;
        image_.digitalPanelPresent[panel] = 1;
    }
    return MBUS_SUCCESS;
}

int CVtrConfigDoc::readDigitalChannelStates() {
    for (int panel = 0; panel < digitalPanels; ++panel) {
        if (!image_.digitalPanelPresent[panel]) {
            continue;
        }
        BlockRegisters<DeviceBlock::digitalChannelStates> registers{};
        const int result = readRegisters(DeviceBlock::digitalChannelStates, panel, registers);
        if (result != MBUS_SUCCESS) {
            recheckAfterDeviceFailure(result);
            return result;
        }
        for (int channel = 0; channel < channelsPerPanel; ++channel) {
            image_.digitalChannelState[panel][channel] =
                ChannelStateCode::decode(registers[channel]);
        }
        image_.digitalStatesValid[panel] = 1;
    }
    return MBUS_SUCCESS;
}

int CVtrConfigDoc::readDigitalOutputOptions() {
    for (int panel = 0; panel < digitalPanels; ++panel) {
        if (!image_.digitalPanelPresent[panel]) {
            continue;
        }
        std::array<int, RegisterMap::count(DeviceBlock::digitalOutputOptions)> coils{};
        const int result = readCoils(DeviceBlock::digitalOutputOptions, panel, coils);
        if (result != MBUS_SUCCESS) {
            recheckAfterDeviceFailure(result);
            return result;
        }
        for (int channel = 0; channel < channelsPerPanel; ++channel) {
            image_.digitalDefaultOutput[panel][channel] = coils[channel];
            image_.digitalOutputValid[panel][channel] = 1;
        }
    }
    return MBUS_SUCCESS;
}

const RtuConfig* CVtrConfigDoc::getRtuConfig() const {
    return validOrNull(image_.rtuConfig, image_.rtuConfigValid);
}

const TcpConfig* CVtrConfigDoc::getTcpConfig(int index) const {
    if (!isTcpIndex(index)) {
        return nullptr;
    }
    return validOrNull(image_.tcpConfig[index], image_.tcpConfigValid[index]);
}

const uint16_t* CVtrConfigDoc::getScanMode() const {
    return validOrNull(image_.scanMode, image_.scanModeValid);
}

const ScanParameters* CVtrConfigDoc::getScanParameters() const {
    return validOrNull(image_.scanParameters, image_.scanParametersValid);
}

const int16_t* CVtrConfigDoc::getAnalogChannelState(int panel, int channel) const {
    if (!PanelLayout::isAnalogPanel(panel) || !PanelLayout::isChannel(channel)) {
        return nullptr;
    }
    return validOrNull(image_.analogChannelState[panel][channel], image_.analogStatesValid[panel]);
}

const uint16_t* CVtrConfigDoc::getAverageWeightIndex(int panel, int channel) const {
    if (!PanelLayout::isAnalogPanel(panel) || !PanelLayout::isChannel(channel)) {
        return nullptr;
    }
    return validOrNull(image_.averageWeightIndex[panel][channel],
                       image_.averageWeightValid[panel][channel]);
}

const int16_t* CVtrConfigDoc::getDefaultOutput(int panel, int channel) const {
    if (!PanelLayout::isAnalogPanel(panel) || !PanelLayout::isChannel(channel)) {
        return nullptr;
    }
    return validOrNull(image_.defaultOutput[panel][channel],
                       image_.defaultOutputValid[panel][channel]);
}

const DigitalDeviceInfo* CVtrConfigDoc::getDigitalDeviceInfo(int panel) const {
    if (!PanelLayout::isDigitalPanel(panel)) {
        return nullptr;
    }
    return validOrNull(image_.digitalDeviceInfo[panel], image_.digitalDeviceInfoValid[panel]);
}

const int16_t* CVtrConfigDoc::getDigitalChannelState(int panel, int channel) const {
    if (!PanelLayout::isDigitalPanel(panel) || !PanelLayout::isChannel(channel)) {
        return nullptr;
    }
    return validOrNull(image_.digitalChannelState[panel][channel],
                       image_.digitalStatesValid[panel]);
}

const int32_t* CVtrConfigDoc::getDigitalDefaultOutput(int panel, int channel) const {
    if (!PanelLayout::isDigitalPanel(panel) || !PanelLayout::isChannel(channel)) {
        return nullptr;
    }
    return validOrNull(image_.digitalDefaultOutput[panel][channel],
                       image_.digitalOutputValid[panel][channel]);
}

bool CVtrConfigDoc::isDigitalPanelAvailable(int panel) const {
    return connected && PanelLayout::isDigitalPanel(panel) && image_.digitalPanelPresent[panel];
}

int CVtrConfigDoc::readLiveRegister(int ref, uint16_t& value) {
    if (currentMaster == nullptr) {
        return MBUS_ILLEGAL_STATE;
    }
    return currentMaster->readInputRegisters(slaveAddress(), ref, &value, 1);
}

int CVtrConfigDoc::readLiveCoil(int ref, int& value) {
    if (currentMaster == nullptr) {
        return MBUS_ILLEGAL_STATE;
    }
    return currentMaster->readCoils(slaveAddress(), ref, &value, 1);
}

int CVtrConfigDoc::writeLiveCoil(int ref, int value) {
    if (currentMaster == nullptr) {
        return MBUS_ILLEGAL_STATE;
    }
    return currentMaster->writeSingleCoil(slaveAddress(), ref, value);
}

int CVtrConfigDoc::writeLiveRegister(int ref, uint16_t value) {
    if (currentMaster == nullptr) {
        return MBUS_ILLEGAL_STATE;
    }
    return currentMaster->writeSingleRegister(slaveAddress(), ref, value);
}

// The edit dialogs are not built yet: the operations exist so that the tree and the menus can
// already dispatch to them.
void CVtrConfigDoc::configureRtuInterface() {}
void CVtrConfigDoc::configureTcpInterface(int /*index*/) {}
void CVtrConfigDoc::configureScanMode() {}
void CVtrConfigDoc::configureScanParameters() {}
void CVtrConfigDoc::configureAnalogChannelStates(int /*panel*/) {}
void CVtrConfigDoc::configureAverageWeight(int /*panel*/, int /*channel*/) {}
void CVtrConfigDoc::configureDefaultOutput(int /*panel*/, int /*channel*/) {}
void CVtrConfigDoc::configureDigitalChannelStates(int /*panel*/) {}
void CVtrConfigDoc::configureDigitalOutput(int /*panel*/, int /*channel*/) {}

void CVtrConfigDoc::setConnectOptions(const ConnectOptions& newOptions) {
    options = newOptions;
    updateModified();
}

void CVtrConfigDoc::setHexDisplay(int flag) {
    hexDisplay = flag;
    updateModified();
    UpdateAllViews(nullptr);
}

void CVtrConfigDoc::setAutoConnect(int flag) {
    autoConnect = flag;
    updateModified();
}

void CVtrConfigDoc::updateModified() {
    SetModifiedFlag(settings().differsFrom(reference));
}

void CVtrConfigDoc::takeReferenceCopy() {
    reference = settings();
}

void CVtrConfigDoc::applySettings(const DocumentSettings& newSettings) {
    hexDisplay = newSettings.hexDisplay;
    autoConnect = newSettings.autoConnect;
    options = newSettings.connect;
}

void CVtrConfigDoc::serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        VtrFile::write(settings(), ar);
        return;
    }
    DocumentSettings read = settings();
    if (VtrFile::read(ar, formatVersion, read) == VtrFile::ReadResult::read) {
        applySettings(read);
    }
}

bool CVtrConfigDoc::onNewDocument() {
    if (!CDocument::onNewDocument()) {
        return false;
    }
    formatVersion = VtrFile::formatVersion;
    applySettings(DocumentSettings{});
    takeReferenceCopy();
    return true;
}

bool CVtrConfigDoc::onOpenDocument(const std::string& path) {
    if (!CDocument::onOpenDocument(path)) {
        return false;
    }
    closeOpenLink();
    if (autoConnect == 1 && connectCommand) {
        connectCommand();
    }
    takeReferenceCopy();
    return true;
}

void CVtrConfigDoc::onCloseDocument() {
    closeOpenLink();
    CDocument::onCloseDocument();
}

void CVtrConfigDoc::closeOpenLink() {
    if (currentMaster != nullptr) {
        currentMaster->closeLink();
    }
    useOpenLink(nullptr);
}
