// The document's configure and reset operations: each runs the edit dialog of one block on the
// block's image, writes what the user confirmed, and reports a write the unit refused.
#include "device/CVtrConfigDoc.h"

#include "device/AverageWeightCode.h"
#include "device/ChannelState.h"
#include "device/ConfigureMessages.h"
#include "modbus/MbusError.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

namespace {

constexpr uint8_t kSlaveIdLowMask = 0x0F;
constexpr uint16_t kUserDefinedScan = 1;

// The unit's own part of the slave ID stays; its upper four bits, baud rate and parity follow
// the unit's new RTU configuration.
void carryRtuSettings(ConnectOptions& options, const RtuConfig& config) {
    options.slaveId =
        static_cast<uint8_t>((options.slaveId & kSlaveIdLowMask) | (config.slaveIdHigh & 0xF0));
    options.baudIndex = config.baudIndex;
    options.parityIndex = config.parityIndex;
}

void showError(const std::string& text, const char* caption) {
    ShowMessageBox(nullptr, text, caption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

template <typename T>
T valueOr(const T* entry, T fallback) {
    return entry != nullptr ? *entry : fallback;
}

template <typename T, typename ValueOf>
DeviceImage::PerChannel<T> perChannel(ValueOf valueOf) {
    DeviceImage::PerChannel<T> values{};
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        values[channel] = valueOf(channel);
    }
    return values;
}

} // namespace

// --- Initial records ------------------------------------------------------------------------

RtuConfig CVtrConfigDoc::initialRtuConfig() const {
    return valueOr(getRtuConfig(), RtuConfig{0x1F, 0, 4, 2});
}

TcpConfig CVtrConfigDoc::initialTcpConfig(int index) const {
    if (const TcpConfig* config = getTcpConfig(index)) {
        return *config;
    }
    TcpConfig config;
    config.ipAddress = {192, 168, 1, static_cast<uint8_t>(index == 1 ? 101 : 100)};
    config.subnetMask = {255, 255, 255, 0};
    config.gateway = {192, 168, 1, 1};
    config.keepaliveMs = 7200;
    return config;
}

uint16_t CVtrConfigDoc::initialScanMode() const {
    return valueOr(getScanMode(), uint16_t{0});
}

ScanParameters CVtrConfigDoc::initialScanParameters() const {
    if (const ScanParameters* parameters = getScanParameters()) {
        return *parameters;
    }
    ScanParameters parameters;
    parameters.scanList.fill(ScanParameters::endOfList);
    return parameters;
}

DeviceImage::PanelStates CVtrConfigDoc::initialAnalogStates(int panel) const {
    return perChannel<int16_t>([&](int channel) {
        return valueOr(getAnalogChannelState(panel, channel), ChannelState::vacant);
    });
}

DeviceImage::PerChannel<uint16_t> CVtrConfigDoc::initialAverageWeights(int panel) const {
    return perChannel<uint16_t>([&](int channel) {
        return valueOr(getAverageWeightIndex(panel, channel), AverageWeightCode::defaultIndex);
    });
}

DeviceImage::PerChannel<int16_t> CVtrConfigDoc::initialDefaultOutputs(int panel) const {
    return perChannel<int16_t>(
        [&](int channel) { return valueOr(getDefaultOutput(panel, channel), int16_t{0}); });
}

DeviceImage::PanelStates CVtrConfigDoc::initialDigitalStates(int panel) const {
    return perChannel<int16_t>([&](int channel) {
        return valueOr(getDigitalChannelState(panel, channel), ChannelState::vacant);
    });
}

DeviceImage::PerChannel<int32_t> CVtrConfigDoc::initialDigitalOutputs(int panel) const {
    return perChannel<int32_t>(
        [&](int channel) { return valueOr(getDigitalDefaultOutput(panel, channel), int32_t{0}); });
}

// --- Configure operations -------------------------------------------------------------------

void CVtrConfigDoc::configureRtuInterface() {
    if (!connected) {
        return;
    }
    dialogs.rtuParms.SetData(initialRtuConfig());
    if (dialogs.rtuParms.DoModal() == IDOK) {
        writeRtuConfiguration(dialogs.rtuParms.GetData());
    }
}

void CVtrConfigDoc::configureTcpInterface(int index) {
    if (!connected || index < 0 || index >= DeviceImage::tcpInterfaces) {
        return;
    }
    dialogs.tcpParms.SetData(initialTcpConfig(index), index == 1, getHexDisplay());
    if (dialogs.tcpParms.DoModal() == IDOK) {
        writeTcpConfiguration(index, dialogs.tcpParms.GetData());
    }
}

void CVtrConfigDoc::configureScanMode() {
    if (!connected) {
        return;
    }
    dialogs.scanMode.SetData(initialScanMode());
    if (dialogs.scanMode.DoModal() == IDOK) {
        writeScanMode(dialogs.scanMode.GetData());
    }
}

void CVtrConfigDoc::configureScanParameters() {
    if (!connected) {
        return;
    }
    dialogs.scanParms.SetData(initialScanParameters(), getHexDisplay());
    if (dialogs.scanParms.DoModal() == IDOK) {
        writeScanParameters(dialogs.scanParms.GetData());
    }
}

void CVtrConfigDoc::configureAnalogChannelStates(int panel) {
    if (!connected || !PanelLayout::isAnalogPanel(panel)) {
        return;
    }
    dialogs.anaChanStates.SetData(panel, initialAnalogStates(panel));
    if (dialogs.anaChanStates.DoModal() == IDOK) {
        writeAnalogChannelStates(panel, dialogs.anaChanStates.GetData());
    }
}

void CVtrConfigDoc::configureAverageWeight(int panel, int channel) {
    if (!connected || !PanelLayout::isAnalogPanel(panel) || !PanelLayout::isChannel(channel)) {
        return;
    }
    dialogs.anaInOpts.SetData(panel, channel, initialAverageWeights(panel)[channel],
                              getHexDisplay());
    if (dialogs.anaInOpts.DoModal() == IDOK) {
        writeAverageWeight(panel, channel, dialogs.anaInOpts.GetData());
    }
}

void CVtrConfigDoc::configureDefaultOutput(int panel, int channel) {
    if (!connected || !PanelLayout::isAnalogPanel(panel) || !PanelLayout::isChannel(channel)) {
        return;
    }
    dialogs.anaOutOpts.SetData(panel, channel, initialDefaultOutputs(panel)[channel],
                               getHexDisplay());
    if (dialogs.anaOutOpts.DoModal() == IDOK) {
        writeDefaultOutput(panel, channel, dialogs.anaOutOpts.GetData());
    }
}

void CVtrConfigDoc::configureAverageWeights(int panel) {
    if (!connected || !PanelLayout::isAnalogPanel(panel)) {
        return;
    }
    dialogs.multAnaInOpts.SetData(panel, initialAverageWeights(panel), initialAnalogStates(panel),
                                  getHexDisplay());
    if (dialogs.multAnaInOpts.DoModal() == IDOK) {
        writeAverageWeights(panel, dialogs.multAnaInOpts.GetData());
    }
}

void CVtrConfigDoc::configureDefaultOutputs(int panel) {
    if (!connected || !PanelLayout::isAnalogPanel(panel)) {
        return;
    }
    dialogs.multAnaOutOpts.SetData(panel, initialDefaultOutputs(panel), initialAnalogStates(panel),
                                   getHexDisplay());
    if (dialogs.multAnaOutOpts.DoModal() == IDOK) {
        writeDefaultOutputs(panel, dialogs.multAnaOutOpts.GetData());
    }
}

void CVtrConfigDoc::configureDigitalChannelStates(int panel) {
    if (!connected || !PanelLayout::isDigitalPanel(panel)) {
        return;
    }
    dialogs.digChanStates.SetData(panel, initialDigitalStates(panel));
    if (dialogs.digChanStates.DoModal() == IDOK) {
        writeDigitalChannelStates(panel, dialogs.digChanStates.GetData());
    }
}

void CVtrConfigDoc::configureDigitalOutput(int panel, int channel) {
    if (!connected || !PanelLayout::isDigitalPanel(panel) || !PanelLayout::isChannel(channel)) {
        return;
    }
    dialogs.digOutOpts.SetData(panel, channel, initialDigitalOutputs(panel)[channel]);
    if (dialogs.digOutOpts.DoModal() == IDOK) {
        writeDigitalOutput(panel, channel, dialogs.digOutOpts.GetData());
    }
}

void CVtrConfigDoc::configureDigitalOutputs(int panel) {
    if (!connected || !PanelLayout::isDigitalPanel(panel)) {
        return;
    }
    dialogs.multDigOutOpts.SetData(panel, initialDigitalOutputs(panel),
                                   initialDigitalStates(panel));
    if (dialogs.multDigOutOpts.DoModal() == IDOK) {
        writeDigitalOutputs(panel, dialogs.multDigOutOpts.GetData());
    }
}

// --- Writes ---------------------------------------------------------------------------------

bool CVtrConfigDoc::confirmInterfaceWrite(ConfigureMessages::Interface edited) const {
    const char* text = ConfigureMessages::interfaceConfirmation(edited, options.protocol);
    return text == nullptr || AfxMessageBox(text, MB_OKCANCEL) == IDOK;
}

bool CVtrConfigDoc::reportWrite(int result, const char* label) {
    if (result != MBUS_SUCCESS) {
        showError(ConfigureMessages::configureFailed(label, result, describeError(result)),
                  ConfigureMessages::configureCaption);
    }
    return result == MBUS_SUCCESS;
}

void CVtrConfigDoc::writeRtuConfiguration(const RtuConfig& config) {
    if (!confirmInterfaceWrite(ConfigureMessages::Interface::rtu)) {
        return;
    }
    if (reportWrite(sendRtuConfiguration(config), ConfigureMessages::rtuLabel)) {
        // The unit answers with the new settings from now on: an RTU link to it is lost, and
        // the next RTU connect must use them. A document file that kept the old ones would
        // reach nothing, so a document whose link changed is modified and closing asks to save.
        if (options.protocol == ConnectOptions::modbusRtu) {
            disconnect();
        }
        carryRtuSettings(options, config);
        updateModified();
    }
    updateAllViews();
}

void CVtrConfigDoc::writeTcpConfiguration(int index, const TcpConfig& config) {
    if (!confirmInterfaceWrite(ConfigureMessages::Interface::tcp)) {
        return;
    }
    reportWrite(sendTcpConfiguration(index, config), ConfigureMessages::tcpLabel);
    updateAllViews();
}

void CVtrConfigDoc::writeScanMode(uint16_t mode) {
    if (reportWrite(sendScanMode(mode), RegisterMap::label(DeviceBlock::analogScanMode)) &&
        mode == kUserDefinedScan) {
        // The unit starts the user-defined scan from parameters we may not have read yet.
        image_.scanParameters.valid = 0;
        readScanParameters();
    }
    updateAllViews();
}

void CVtrConfigDoc::writeScanParameters(const ScanParameters& parameters) {
    reportWrite(sendScanParameters(parameters), RegisterMap::label(DeviceBlock::scanParameters));
    updateAllViews();
}

void CVtrConfigDoc::writeAnalogChannelStates(int panel, const DeviceImage::PanelStates& states) {
    if (!PanelLayout::isAnalogPanel(panel)) {
        return;
    }
    // The unit takes channel states one register at a time; channels whose known state does
    // not change are not written at all.
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        const int16_t* current = getAnalogChannelState(panel, channel);
        if (current != nullptr && *current == states[channel]) {
            continue;
        }
        if (!reportWrite(sendAnalogChannelState(panel, channel, states[channel]),
                         RegisterMap::label(DeviceBlock::analogChannelStates))) {
            updateAllViews();
            return;
        }
    }
    image_.analogChannelState[panel].valid = 1;
    updateAllViews();
}

void CVtrConfigDoc::writeAverageWeights(int panel,
                                        const DeviceImage::PerChannel<uint16_t>& indexes) {
    if (reportWrite(sendAverageWeights(panel, indexes),
                    RegisterMap::label(DeviceBlock::analogInputOptions))) {
        updateAllViews();
    }
}

void CVtrConfigDoc::writeAverageWeight(int panel, int channel, uint16_t index) {
    reportWrite(sendAverageWeight(panel, channel, index),
                RegisterMap::label(DeviceBlock::analogInputOptions));
    updateAllViews();
}

void CVtrConfigDoc::writeDefaultOutputs(int panel, const DeviceImage::PerChannel<int16_t>& values) {
    if (reportWrite(sendDefaultOutputs(panel, values),
                    RegisterMap::label(DeviceBlock::analogOutputOptions))) {
        updateAllViews();
    }
}

void CVtrConfigDoc::writeDefaultOutput(int panel, int channel, int16_t value) {
    reportWrite(sendDefaultOutput(panel, channel, value),
                RegisterMap::label(DeviceBlock::analogOutputOptions));
    updateAllViews();
}

void CVtrConfigDoc::writeDigitalChannelStates(int panel, const DeviceImage::PanelStates& states) {
    reportWrite(sendDigitalChannelStates(panel, states),
                RegisterMap::label(DeviceBlock::digitalChannelStates));
    updateAllViews();
}

void CVtrConfigDoc::writeDigitalOutputs(int panel, const DeviceImage::PerChannel<int32_t>& values) {
    if (reportWrite(sendDigitalOutputs(panel, values),
                    RegisterMap::label(DeviceBlock::digitalOutputOptions))) {
        updateAllViews();
    }
}

void CVtrConfigDoc::writeDigitalOutput(int panel, int channel, int32_t value) {
    reportWrite(sendDigitalOutput(panel, channel, value),
                RegisterMap::label(DeviceBlock::digitalOutputOptions));
    updateAllViews();
}

// --- Resets ---------------------------------------------------------------------------------

int CVtrConfigDoc::resetAnalogPanels() {
    const int result = sendResetAnalogPanels();
    if (result != MBUS_SUCCESS) {
        showError(ConfigureMessages::resetFailed(result, describeError(result)),
                  ConfigureMessages::resetCaption);
        updateAllViews();
    }
    return result;
}

void CVtrConfigDoc::resetDigitalPanel(int panel) {
    const int result = sendResetDigitalPanel(panel);
    if (result == MBUS_SUCCESS) {
        refresh();
        return;
    }
    showError(ConfigureMessages::resetFailed(result, describeError(result)),
              ConfigureMessages::resetCaption);
    updateAllViews();
}
