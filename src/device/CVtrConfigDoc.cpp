#include "device/CVtrConfigDoc.h"

#include "device/AverageWeightCode.h"
#include "device/BlockCodec.h"
#include "device/BlockTransfer.h"
#include "device/ChannelState.h"
#include "device/ConnectionMessages.h"
#include "device/RefreshProgress.h"
#include "device/VtrFile.h"
#include "modbus/MbusError.h"
#include "modbus/MbusMasterFunctions.h"
#include "ui/BusyFlow.h"
#include "ui/CArchive.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

#include <array>
#include <vector>

namespace {

using PanelLayout::channelsPerPanel;
using PanelLayout::digitalPanels;
using PanelLayout::isAnalogPanel;
using PanelLayout::isChannel;
using PanelLayout::isDigitalPanel;

// The unit's frames are 8 data bits and 2 stop bits; parity is the option's.
constexpr int dataBits = 8;
constexpr int stopBits = 2;

bool isTcpIndex(int index) {
    return index >= 0 && index < DeviceImage::tcpInterfaces;
}

DeviceBlock tcpBlock(int index) {
    return index == 0 ? DeviceBlock::tcpConfiguration : DeviceBlock::tcpConfiguration2;
}

void showError(const std::string& text, const char* caption) {
    ShowMessageBox(nullptr, text, caption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// The user stopped the connect or refresh under way: what failed because of it, or before it,
// is shown in the tree, not reported again in a box.
bool cancelledByUser() {
    return BusyFlow::state().cancelled;
}

// One channel's or one panel's values of an analog option block, written at `channel` of the
// panel; on success they become the image.
template <DeviceBlock block, typename T>
int sendAnalogOptions(const BlockTransfer& link, int panel, int channel, std::span<const T> values,
                      DeviceImage::PerChannel<Flagged<T>>& entries) {
    std::array<uint16_t, channelsPerPanel> wire{};
    const auto used = std::span(wire).first(values.size());
    BlockCodec<block>::encode(values, used);
    const int result = link.write(block, panel, channel, std::span<const uint16_t>(used));
    if (result == MBUS_SUCCESS) {
        for (size_t i = 0; i < values.size(); ++i) {
            entries[channel + i].set(values[i]);
        }
    }
    return result;
}

// The digital default outputs go out as coils, one per channel.
int sendDigitalCoils(const BlockTransfer& link, int panel, int channel,
                     std::span<const int32_t> values,
                     DeviceImage::PerChannel<Flagged<int32_t>>& entries) {
    const int result = link.write(DeviceBlock::digitalOutputOptions, panel, channel, values);
    if (result == MBUS_SUCCESS) {
        for (size_t i = 0; i < values.size(); ++i) {
            entries[channel + i].set(values[i]);
        }
    }
    return result;
}

} // namespace

void CVtrConfigDoc::useOpenLink(MbusMasterFunctions* master) {
    currentMaster = master;
    connected = master != nullptr ? 1 : 0;
}

int CVtrConfigDoc::slaveAddress() const {
    return options.protocol == ConnectOptions::modbusTcp ? tcpSlaveAddress : options.slaveId;
}

BlockTransfer CVtrConfigDoc::transfer() const {
    return BlockTransfer(currentMaster, slaveAddress());
}

std::string CVtrConfigDoc::describeError(int code) {
    if (code == -1) {
        return "Invalid data value received from Vantrel";
    }
    return errorText(code);
}

// --- Connection ------------------------------------------------------------------------------

int CVtrConfigDoc::openLink() {
    // A link still open would otherwise stay open behind a failed connect.
    if (currentMaster != nullptr) {
        currentMaster->closeLink();
        currentMaster = nullptr;
    }
    switch (options.protocol) {
    case ConnectOptions::modbusRtu: {
        // Only a document file can bring settings outside the lists; such a file opens nothing.
        if (options.baudIndex >= ConnectOptions::baudRates.size() ||
            options.parityIndex > ConnectOptions::lastParityIndex) {
            return MBUS_ILLEGAL_ARGUMENT;
        }
        const int result = BusyFlow::runStep([this] {
            return rtuMaster.openPort(options.comPortName().c_str(),
                                      ConnectOptions::baudRates[options.baudIndex], dataBits,
                                      stopBits, options.parityIndex);
        });
        if (result == MBUS_SUCCESS) {
            currentMaster = &rtuMaster;
        }
        return result;
    }
    case ConnectOptions::modbusTcp: {
        tcpMaster.setPort(options.tcpPort);
        const int result =
            BusyFlow::runStep([this] { return tcpMaster.connectTo(options.server.c_str()); });
        if (result != MBUS_SUCCESS) {
            tcpMaster.closeLink();
            return result;
        }
        currentMaster = &tcpMaster;
        return result;
    }
    default:
        return MBUS_ILLEGAL_ARGUMENT;
    }
}

int CVtrConfigDoc::connect() {
    const BusyFlow::CancellablePart cancellable;
    const int result = openLink();
    connected = result == MBUS_SUCCESS ? 1 : 0;
    if (cancelledByUser()) {
        // The link may have opened while the user gave up waiting for it.
        if (currentMaster != nullptr) {
            currentMaster->closeLink();
        }
        currentMaster = nullptr;
        connected = 0;
        return connected;
    }
    if (!connected) {
        currentMaster = nullptr;
        showError(
            ConnectionMessages::connectFailed(options.protocol, result, describeError(result)),
            ConnectionMessages::connectCaption);
    }
    return connected;
}

void CVtrConfigDoc::disconnect() {
    if (currentMaster != nullptr) {
        currentMaster->closeLink();
    }
    currentMaster = nullptr;
    connected = 0;
    updateAllViews();
}

void CVtrConfigDoc::refresh() {
    const BusyFlow::CancellablePart cancellable;
    RefreshProgress progress;
    image_.clearValidity();
    if (!checkUnitAnswers(progress) || !readIdentity(progress)) {
        return;
    }
    readConfiguration(progress);
    updateAllViews();
}

bool CVtrConfigDoc::checkUnitAnswers(RefreshProgress& progress) {
    const int result = checkCommunication();
    progress.blockDone();
    if (result == MBUS_SUCCESS) {
        return true;
    }
    if (!cancelledByUser()) {
        showError(ConnectionMessages::communicationFailed(options.protocol, result,
                                                          describeError(result)),
                  ConnectionMessages::connectCaption);
    }
    disconnect();
    return false;
}

bool CVtrConfigDoc::readIdentity(RefreshProgress& progress) {
    struct Step {
        DeviceBlock block;
        int (CVtrConfigDoc::*read)();
    };
    // Without these the unit is not known, nor which digital panels it uses.
    static constexpr Step steps[] = {
        {DeviceBlock::statusRegister, &CVtrConfigDoc::readStatusRegister},
        {DeviceBlock::deviceInformation, &CVtrConfigDoc::readDeviceInformation},
        {DeviceBlock::digitalPanelBypass, &CVtrConfigDoc::readDigitalPanelBypass},
    };
    for (const Step& step : steps) {
        const int result = (this->*step.read)();
        progress.blockDone();
        if (result != MBUS_SUCCESS) {
            if (!cancelledByUser()) {
                showError(ConnectionMessages::fatalReadFailed(RegisterMap::label(step.block),
                                                              result, describeError(result)),
                          ConnectionMessages::readCaption);
            }
            disconnect();
            return false;
        }
    }
    return true;
}

void CVtrConfigDoc::readConfiguration(RefreshProgress& progress) {
    std::vector<ConnectionMessages::Failure> failures;
    const auto attempt = [&](DeviceBlock block, int result) {
        progress.blockDone();
        if (result != MBUS_SUCCESS) {
            failures.push_back({RegisterMap::label(block), result});
        }
    };
    attempt(DeviceBlock::rtuConfiguration, readRtuConfiguration());
    attempt(DeviceBlock::tcpConfiguration, readTcpConfiguration(0));
    if (image_.secondaryTcpSupported == 1) {
        attempt(DeviceBlock::tcpConfiguration2, readTcpConfiguration(1));
    } else {
        progress.blockSkipped();
    }
    attempt(DeviceBlock::analogScanMode, readScanMode());
    // The scan mode just read, or the one before when that read failed.
    if (image_.scanMode.value == 1) {
        attempt(DeviceBlock::scanParameters, readScanParameters());
    } else {
        progress.blockSkipped();
    }
    attempt(DeviceBlock::analogChannelStates, readAnalogChannelStates());
    attempt(DeviceBlock::analogInputOptions, readAnalogInputOptions());
    attempt(DeviceBlock::analogOutputOptions, readAnalogOutputOptions());
    attempt(DeviceBlock::digitalDeviceInformation, readDigitalDeviceInformation());
    attempt(DeviceBlock::digitalChannelStates, readDigitalChannelStates());
    attempt(DeviceBlock::digitalOutputOptions, readDigitalOutputOptions());
    if (!failures.empty() && !cancelledByUser()) {
        showError(ConnectionMessages::partialRefresh(failures, &CVtrConfigDoc::describeError),
                  ConnectionMessages::readCaption);
    }
}

// --- Reads ---------------------------------------------------------------------------------

template <DeviceBlock block>
int CVtrConfigDoc::readBlock(int panel, DeviceBlock wireBlock) {
    typename BlockCodec<block>::Wire wire{};
    const int result = transfer().read(wireBlock, panel, std::span(wire));
    if (result == MBUS_SUCCESS) {
        BlockCodec<block>::store(wire, image_, panel);
    }
    return result;
}

void CVtrConfigDoc::recheckAfterDeviceFailure(int error) {
    if (error == MBUS_SLAVE_DEVICE_FAILURE) {
        checkCommunication();
    }
}

int CVtrConfigDoc::checkCommunication() {
    return readBlock<DeviceBlock::communicationCheck>();
}

int CVtrConfigDoc::readStatusRegister() {
    return readBlock<DeviceBlock::statusRegister>();
}

int CVtrConfigDoc::readDeviceInformation() {
    return readBlock<DeviceBlock::deviceInformation>();
}

int CVtrConfigDoc::readDigitalPanelBypass() {
    return readBlock<DeviceBlock::digitalPanelBypass>();
}

int CVtrConfigDoc::readRtuConfiguration() {
    return readBlock<DeviceBlock::rtuConfiguration>();
}

int CVtrConfigDoc::readTcpConfiguration(int index) {
    if (!isTcpIndex(index)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return readBlock<DeviceBlock::tcpConfiguration>(index, tcpBlock(index));
}

int CVtrConfigDoc::readScanMode() {
    return readBlock<DeviceBlock::analogScanMode>();
}

int CVtrConfigDoc::readScanParameters() {
    return readBlock<DeviceBlock::scanParameters>();
}

int CVtrConfigDoc::readAnalogChannelStates() {
    return readBlock<DeviceBlock::analogChannelStates>();
}

int CVtrConfigDoc::readAnalogInputOptions() {
    return readBlock<DeviceBlock::analogInputOptions>();
}

int CVtrConfigDoc::readAnalogOutputOptions() {
    return readBlock<DeviceBlock::analogOutputOptions>();
}

int CVtrConfigDoc::readDigitalDeviceInformation() {
    for (int panel = 0; panel < digitalPanels; ++panel) {
        if (image_.panelBypass[panel] != 0) {
            image_.digitalPanelPresent[panel] = 0;
            image_.digitalDeviceInfo[panel].valid = 0;
            continue;
        }
        const int result = readBlock<DeviceBlock::digitalDeviceInformation>(panel);
        if (result == MBUS_SLAVE_DEVICE_FAILURE) {
            // The unit refuses the read of a panel that is not fitted: whatever was known of
            // the panel is gone.
            recheckAfterDeviceFailure(result);
            image_.digitalPanelPresent[panel] = 0;
            image_.digitalDeviceInfo[panel].valid = 0;
            continue;
        }
        if (result != MBUS_SUCCESS) {
            return result;
        }
    }
    return MBUS_SUCCESS;
}

int CVtrConfigDoc::readDigitalChannelStates() {
    for (int panel = 0; panel < digitalPanels; ++panel) {
        if (!image_.digitalPanelPresent[panel]) {
            continue;
        }
        const int result = readBlock<DeviceBlock::digitalChannelStates>(panel);
        if (result != MBUS_SUCCESS) {
            recheckAfterDeviceFailure(result);
            return result;
        }
    }
    return MBUS_SUCCESS;
}

int CVtrConfigDoc::readDigitalOutputOptions() {
    for (int panel = 0; panel < digitalPanels; ++panel) {
        if (!image_.digitalPanelPresent[panel]) {
            continue;
        }
        const int result = readBlock<DeviceBlock::digitalOutputOptions>(panel);
        if (result != MBUS_SUCCESS) {
            recheckAfterDeviceFailure(result);
            return result;
        }
    }
    return MBUS_SUCCESS;
}

// --- Writes --------------------------------------------------------------------------------

int CVtrConfigDoc::sendRtuConfiguration(const RtuConfig& config) {
    const auto wire = BlockCodec<DeviceBlock::rtuConfiguration>::encode(config);
    const int result =
        transfer().write(DeviceBlock::rtuConfiguration, 0, 0, std::span<const uint16_t>(wire));
    if (result == MBUS_SUCCESS) {
        image_.rtuConfig.set(config);
    }
    return result;
}

int CVtrConfigDoc::sendTcpConfiguration(int index, const TcpConfig& config) {
    if (!isTcpIndex(index)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    const auto wire = BlockCodec<DeviceBlock::tcpConfiguration>::encode(config);
    const int result = transfer().write(tcpBlock(index), 0, 0, std::span<const uint16_t>(wire));
    if (result == MBUS_SUCCESS) {
        // The port and the MAC address are the unit's own: they are not written.
        Flagged<TcpConfig>& entry = image_.tcpConfig[index];
        entry.value.ipAddress = config.ipAddress;
        entry.value.subnetMask = config.subnetMask;
        entry.value.gateway = config.gateway;
        entry.value.keepaliveMs = config.keepaliveMs;
        entry.valid = 1;
    }
    return result;
}

int CVtrConfigDoc::sendScanMode(uint16_t mode) {
    const auto wire = BlockCodec<DeviceBlock::analogScanMode>::encode(mode);
    const int result =
        transfer().write(DeviceBlock::analogScanMode, 0, 0, std::span<const uint16_t>(wire));
    if (result == MBUS_SUCCESS) {
        image_.scanMode.set(mode);
    }
    return result;
}

int CVtrConfigDoc::sendScanParameters(const ScanParameters& parameters) {
    const auto wire = BlockCodec<DeviceBlock::scanParameters>::encode(parameters);
    const int result =
        transfer().write(DeviceBlock::scanParameters, 0, 0, std::span<const uint16_t>(wire));
    if (result == MBUS_SUCCESS) {
        image_.scanParameters.set(parameters);
    }
    return result;
}

int CVtrConfigDoc::sendAnalogChannelState(int panel, int channel, int16_t state) {
    if (!isAnalogPanel(panel) || !isChannel(channel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    std::array<uint16_t, 1> wire{};
    BlockCodec<DeviceBlock::analogChannelStates>::encode(std::span(&state, 1), wire);
    const int result = transfer().write(DeviceBlock::analogChannelStates, panel, channel,
                                        std::span<const uint16_t>(wire));
    if (result != MBUS_SUCCESS) {
        return result;
    }
    image_.analogChannelState[panel].value[channel] = state;
    // A channel taking a new role starts from the unit's defaults for that role.
    if (state == ChannelState::input) {
        image_.averageWeightIndex[panel][channel].value = AverageWeightCode::defaultIndex;
    } else if (state == ChannelState::output) {
        image_.defaultOutput[panel][channel].value = 0;
    }
    return result;
}

int CVtrConfigDoc::sendAverageWeights(int panel, const DeviceImage::PerChannel<uint16_t>& indices) {
    if (!isAnalogPanel(panel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return sendAnalogOptions<DeviceBlock::analogInputOptions>(
        transfer(), panel, 0, std::span<const uint16_t>(indices), image_.averageWeightIndex[panel]);
}

int CVtrConfigDoc::sendAverageWeight(int panel, int channel, uint16_t index) {
    if (!isAnalogPanel(panel) || !isChannel(channel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return sendAnalogOptions<DeviceBlock::analogInputOptions>(transfer(), panel, channel,
                                                              std::span<const uint16_t>(&index, 1),
                                                              image_.averageWeightIndex[panel]);
}

int CVtrConfigDoc::sendDefaultOutputs(int panel, const DeviceImage::PerChannel<int16_t>& values) {
    if (!isAnalogPanel(panel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return sendAnalogOptions<DeviceBlock::analogOutputOptions>(
        transfer(), panel, 0, std::span<const int16_t>(values), image_.defaultOutput[panel]);
}

int CVtrConfigDoc::sendDefaultOutput(int panel, int channel, int16_t value) {
    if (!isAnalogPanel(panel) || !isChannel(channel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return sendAnalogOptions<DeviceBlock::analogOutputOptions>(transfer(), panel, channel,
                                                               std::span<const int16_t>(&value, 1),
                                                               image_.defaultOutput[panel]);
}

int CVtrConfigDoc::sendDigitalChannelStates(int panel, const DeviceImage::PanelStates& states) {
    if (!isDigitalPanel(panel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    const auto wire = BlockCodec<DeviceBlock::digitalChannelStates>::encode(states);
    const int result = transfer().write(DeviceBlock::digitalChannelStates, panel, 0,
                                        std::span<const uint16_t>(wire));
    if (result == MBUS_SUCCESS) {
        image_.digitalChannelState[panel].set(states);
    }
    return result;
}

int CVtrConfigDoc::sendDigitalOutputs(int panel, const DeviceImage::PerChannel<int32_t>& values) {
    if (!isDigitalPanel(panel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return sendDigitalCoils(transfer(), panel, 0, values, image_.digitalDefaultOutput[panel]);
}

int CVtrConfigDoc::sendDigitalOutput(int panel, int channel, int32_t value) {
    if (!isDigitalPanel(panel) || !isChannel(channel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return sendDigitalCoils(transfer(), panel, channel, std::span<const int32_t>(&value, 1),
                            image_.digitalDefaultOutput[panel]);
}

int CVtrConfigDoc::sendResetAnalogPanels() {
    const std::array<uint16_t, 1> command{RegisterMap::resetCommand};
    return transfer().write(DeviceBlock::resetAnalogPanels, 0, 0,
                            std::span<const uint16_t>(command));
}

int CVtrConfigDoc::sendResetDigitalPanel(int panel) {
    if (!isDigitalPanel(panel)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    const std::array<uint16_t, 1> command{RegisterMap::resetCommand};
    return transfer().write(DeviceBlock::resetDigitalPanel, panel, 0,
                            std::span<const uint16_t>(command));
}

// --- Accessors -----------------------------------------------------------------------------

const RtuConfig* CVtrConfigDoc::getRtuConfig() const {
    return image_.rtuConfig.get();
}

const TcpConfig* CVtrConfigDoc::getTcpConfig(int index) const {
    return isTcpIndex(index) ? image_.tcpConfig[index].get() : nullptr;
}

const uint16_t* CVtrConfigDoc::getScanMode() const {
    return image_.scanMode.get();
}

const ScanParameters* CVtrConfigDoc::getScanParameters() const {
    return image_.scanParameters.get();
}

const int16_t* CVtrConfigDoc::getAnalogChannelState(int panel, int channel) const {
    if (!isAnalogPanel(panel) || !isChannel(channel)) {
        return nullptr;
    }
    const auto* states = image_.analogChannelState[panel].get();
    return states != nullptr ? &(*states)[channel] : nullptr;
}

const uint16_t* CVtrConfigDoc::getAverageWeightIndex(int panel, int channel) const {
    if (!isAnalogPanel(panel) || !isChannel(channel)) {
        return nullptr;
    }
    return image_.averageWeightIndex[panel][channel].get();
}

const int16_t* CVtrConfigDoc::getDefaultOutput(int panel, int channel) const {
    if (!isAnalogPanel(panel) || !isChannel(channel)) {
        return nullptr;
    }
    return image_.defaultOutput[panel][channel].get();
}

const DigitalDeviceInfo* CVtrConfigDoc::getDigitalDeviceInfo(int panel) const {
    return isDigitalPanel(panel) ? image_.digitalDeviceInfo[panel].get() : nullptr;
}

const int16_t* CVtrConfigDoc::getDigitalChannelState(int panel, int channel) const {
    if (!isDigitalPanel(panel) || !isChannel(channel)) {
        return nullptr;
    }
    const auto* states = image_.digitalChannelState[panel].get();
    return states != nullptr ? &(*states)[channel] : nullptr;
}

const int32_t* CVtrConfigDoc::getDigitalDefaultOutput(int panel, int channel) const {
    if (!isDigitalPanel(panel) || !isChannel(channel)) {
        return nullptr;
    }
    return image_.digitalDefaultOutput[panel][channel].get();
}

bool CVtrConfigDoc::isDigitalPanelAvailable(int panel) const {
    return connected && isDigitalPanel(panel) && image_.digitalPanelPresent[panel];
}

// --- Live values ---------------------------------------------------------------------------

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

CVtrConfigDoc::CVtrConfigDoc() {
    rtuMaster.setTransactionObserver(&traffic_);
    tcpMaster.setTransactionObserver(&traffic_);
}

void CVtrConfigDoc::setConnectOptions(const ConnectOptions& newOptions) {
    options = newOptions;
    updateModified();
}

void CVtrConfigDoc::setHexDisplay(int flag) {
    hexDisplay = flag;
    updateModified();
    updateAllViews();
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

bool CVtrConfigDoc::readContents(CArchive& ar) {
    // Unlike the framework's default, nothing is emptied first: serialize reads the whole file
    // into a fresh record and takes it only when all of it was there, so a failed open leaves
    // the settings, the title, the modified state and the link as they were.
    serialize(ar);
    return !ar.failed();
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
    disconnect();
    if (autoConnect == 1) {
        if (connectCommand) {
            connectCommand();
        } else if (connect() == 1) {
            refresh();
        }
    }
    takeReferenceCopy();
    return true;
}

void CVtrConfigDoc::onCloseDocument() {
    disconnect();
    CDocument::onCloseDocument();
}
