#include "tree/CVtrConfigView.h"

#include "device/CVtrConfigDoc.h"
#include "device/ChannelState.h"
#include "device/ConnectOptions.h"
#include "device/TcpConfig.h"
#include "res/ResourceIds.h"
#include "tree/CVtrTreeDataI16.h"
#include "tree/TreeRowLabels.h"
#include "tree/TreeTextTables.h"
#include "ui/UiConstants.h"

#include <memory>
#include <utility>

namespace {

constexpr const char* kInvalid = CVtrTreeDataEnum::invalidText;
constexpr const char* kUnknown = CVtrTreeData::missingText;

constexpr const auto& kStatusFailures = TreeRowLabels::statusFailures;
constexpr const auto& kChannelLabels = TreeRowLabels::channels;
constexpr const auto& kStringLabels = TreeRowLabels::deviceStrings;

// A channel's option row names its panel and channel in one parameter.
constexpr int32_t channelParam(int panel, int channel) {
    return (panel << 4) | channel;
}

// Links `child` as the last child of `parent` (whose own links must already be set).
void appendChild(CVtrTreeNode& parent, CVtrTreeNode& child, const char* label, int32_t dialogId = 0,
                 int32_t param = 0) {
    CVtrTreeNode* last = parent.m_firstChild;
    while (last != nullptr && last->m_nextSibling != nullptr) {
        last = last->m_nextSibling;
    }
    child.Set(label, &parent, last, nullptr, nullptr, dialogId, param);
    if (last != nullptr) {
        last->m_nextSibling = &child;
    } else {
        parent.m_firstChild = &child;
    }
}

void initEnum(CVtrTreeDataEnum& value, int32_t count, const char* const* table) {
    value.Init(count, table, kInvalid, kUnknown);
}

// The row and every row below it no longer have items (the control dropped them).
void forgetItems(CVtrTreeNode& row) {
    row.m_item = {};
    for (CVtrTreeNode* child = row.m_firstChild; child != nullptr; child = child->m_nextSibling) {
        forgetItems(*child);
    }
}

template <class Data>
void fill(TreeValueRow<Data>& row, const auto& value) {
    row.value.m_value = value;
    row.value.m_valid = 1;
}

// The option row of a channel, created with its value when the channel has none. Its value's
// class follows from the channel state, and a state change deletes the row first.
template <class Data, class... Args>
Data& optionValue(CVtrTreeNode& channel, const char* label, int32_t dialogId, int32_t param,
                  Args&&... args) {
    if (channel.m_firstChild == nullptr) {
        auto value = std::make_unique<Data>(std::forward<Args>(args)...);
        channel.m_firstChild = new CVtrTreeNodeWithData(label, value.get(), &channel, nullptr,
                                                        nullptr, nullptr, dialogId, param);
        value.release();
    }
    return static_cast<Data&>(*static_cast<CVtrTreeNodeWithData*>(channel.m_firstChild)->m_data);
}

// A state as the rows show it: the document's undecodable mark reads 65535, not -1.
int32_t shownState(int16_t state) {
    return static_cast<uint16_t>(state);
}

} // namespace

CVtrConfigView::CVtrConfigView(CVtrConfigDoc& document) : m_document(document) {
    buildLayout();
    document.AddView(*this);
    onNotify(treeId, NM_DBLCLK, [this] { return OnDblClk(); });
    // Enter on a row opens what a double-click opens.
    onNotify(treeId, NM_RETURN, [this] { return OnDblClk(); });
}

CVtrConfigView::~CVtrConfigView() {
    deleteAllOptionRows();
}

void CVtrConfigView::buildLayout() {
    m_root.Set("VTR300 Configuration", nullptr, nullptr, nullptr, nullptr, 0, 0);
    // "Not Connected" is no sibling of the connected rows: it becomes the root's only child
    // whenever no unit is connected.
    m_notConnected.Set("Not Connected", &m_root, nullptr, nullptr, nullptr, 0, 0);
    appendChild(m_root, m_connected, "Connected");

    appendChild(m_root, m_selfTest.node, TreeRowLabels::selfTest);
    initEnum(m_selfTest.value, TreeTextTables::selfTestCount, TreeTextTables::selfTest);
    for (int i = 0; i < statusFailures; ++i) {
        appendChild(m_selfTest.node, m_failures[i], kStatusFailures[i].label);
    }

    appendChild(m_root, m_connectionInfo, "Connection Information");
    appendChild(m_connectionInfo, m_protocol.node, "Protocol = ");
    initEnum(m_protocol.value, TreeTextTables::protocolCount, TreeTextTables::protocol);
    appendChild(m_connectionInfo, m_comPort.node, "COM Port = ");
    appendChild(m_connectionInfo, m_slaveId.node, "Slave ID = ");
    appendChild(m_connectionInfo, m_baudRate.node, TreeRowLabels::baudRate);
    initEnum(m_baudRate.value, TreeTextTables::baudRateCount, TreeTextTables::baudRate);
    appendChild(m_connectionInfo, m_parity.node, TreeRowLabels::parity);
    initEnum(m_parity.value, TreeTextTables::parityCount, TreeTextTables::parity);
    appendChild(m_connectionInfo, m_server.node, "Server = ");
    appendChild(m_connectionInfo, m_tcpPort.node, TreeRowLabels::tcpPort);

    appendChild(m_root, m_deviceInfo, "Device Information");
    for (int i = 0; i < deviceStrings; ++i) {
        appendChild(m_deviceInfo, m_deviceStrings[i].node, kStringLabels[i]);
    }

    buildInterfaceRows();
    buildAnalogRows();
    buildDigitalRows();
}

void CVtrConfigView::buildInterfaceRows() {
    appendChild(m_root, m_interfaceConfig, "Interface Configuration");
    appendChild(m_interfaceConfig, m_rtuParameters, "Modbus RTU Parameters", IDD_CFG_RTU_PARMS);
    appendChild(m_rtuParameters, m_serialInterface.node, TreeRowLabels::serialInterface,
                IDD_CFG_RTU_PARMS);
    initEnum(m_serialInterface.value, TreeTextTables::serialInterfaceCount,
             TreeTextTables::serialInterface);
    appendChild(m_rtuParameters, m_rtuBaudRate.node, TreeRowLabels::baudRate, IDD_CFG_RTU_PARMS);
    initEnum(m_rtuBaudRate.value, TreeTextTables::baudRateCount, TreeTextTables::baudRate);
    appendChild(m_rtuParameters, m_rtuParity.node, TreeRowLabels::parity, IDD_CFG_RTU_PARMS);
    initEnum(m_rtuParity.value, TreeTextTables::parityCount, TreeTextTables::parity);
    appendChild(m_rtuParameters, m_slaveIdHigh.node, TreeRowLabels::slaveIdHigh, IDD_CFG_RTU_PARMS);
    buildTcpRows(m_tcp[0], "Modbus TCP Parameters", 0);
    buildTcpRows(m_tcp[1], "Modbus TCP Parameters (Secondary)", 1);
}

void CVtrConfigView::buildTcpRows(TcpRows& rows, const char* label, int index) {
    appendChild(m_interfaceConfig, rows.branch, label, IDD_CFG_TCP_PARMS, index);
    appendChild(rows.branch, rows.ipAddress.node, TreeRowLabels::ipAddress, IDD_CFG_TCP_PARMS,
                index);
    appendChild(rows.branch, rows.subnetMask.node, TreeRowLabels::subnetMask, IDD_CFG_TCP_PARMS,
                index);
    appendChild(rows.branch, rows.gateway.node, TreeRowLabels::gateway, IDD_CFG_TCP_PARMS, index);
    appendChild(rows.branch, rows.keepalive.node, TreeRowLabels::keepalive, IDD_CFG_TCP_PARMS,
                index);
    appendChild(rows.branch, rows.tcpPort.node, TreeRowLabels::tcpPort, IDD_CFG_TCP_PARMS, index);
    appendChild(rows.branch, rows.macAddress.node, TreeRowLabels::macAddress, IDD_CFG_TCP_PARMS,
                index);
}

void CVtrConfigView::buildAnalogRows() {
    appendChild(m_root, m_analogConfig, "Analog Configuration");
    appendChild(m_analogConfig, m_scanMode.node, TreeRowLabels::scanMode, IDD_CFG_SCAN_MODE);
    initEnum(m_scanMode.value, TreeTextTables::scanModeCount, TreeTextTables::scanMode);
    appendChild(m_scanMode.node, m_scanInterval.node, TreeRowLabels::scanInterval,
                IDD_CFG_ANA_SCAN_PARMS);
    appendChild(m_scanMode.node, m_scanCount.node, TreeRowLabels::scanCount,
                IDD_CFG_ANA_SCAN_PARMS);
    appendChild(m_scanMode.node, m_scanList, TreeRowLabels::scanList, IDD_CFG_ANA_SCAN_PARMS);
    for (int i = 0; i < ScanParameters::maxEntries; ++i) {
        appendChild(m_scanList, m_scanEntries[i].node, "", IDD_CFG_ANA_SCAN_PARMS, i);
    }
    for (int p = 0; p < PanelLayout::analogPanels; ++p) {
        AnalogPanelRows& panel = m_analogPanels[p];
        appendChild(m_analogConfig, panel.panel, TreeRowLabels::analogPanels[p],
                    IDD_CFG_ANA_CHAN_STATES, p);
        for (int ch = 0; ch < PanelLayout::channelsPerPanel; ++ch) {
            TreeValueRow<CVtrTreeDataEnum>& channel = panel.channels[ch];
            appendChild(panel.panel, channel.node, kChannelLabels[ch], IDD_CFG_ANA_CHAN_STATES, p);
            initEnum(channel.value, TreeTextTables::channelStateCount,
                     TreeTextTables::analogChannelState);
            channel.node.m_present = 0;
        }
    }
}

void CVtrConfigView::buildDigitalRows() {
    appendChild(m_root, m_digitalConfig, "Digital Configuration");
    for (int p = 0; p < PanelLayout::digitalPanels; ++p) {
        DigitalPanelRows& panel = m_digitalPanels[p];
        appendChild(m_digitalConfig, panel.panel, TreeRowLabels::digitalPanels[p],
                    IDD_CFG_DIG_CHAN_STATES, p);
        appendChild(panel.panel, panel.deviceInfo, "Device Information", 0, p);
        for (int i = 0; i < DigitalPanelRows::deviceStrings; ++i) {
            appendChild(panel.deviceInfo, panel.strings[i].node, kStringLabels[i], 0, p);
        }
        for (int ch = 0; ch < PanelLayout::channelsPerPanel; ++ch) {
            TreeValueRow<CVtrTreeDataEnum>& channel = panel.channels[ch];
            appendChild(panel.panel, channel.node, kChannelLabels[ch], IDD_CFG_DIG_CHAN_STATES, p);
            initEnum(channel.value, TreeTextTables::channelStateCount,
                     TreeTextTables::digitalChannelState);
            channel.node.m_present = 0;
        }
    }
}

void CVtrConfigView::OnUpdate(CView* /*sender*/, intptr_t /*hint*/, void* /*hintObject*/) {
    m_hex = m_document.getHexDisplay();
    const int32_t connected = m_document.isConnected();
    if (connected != m_wasConnected) {
        // A new connection state starts a new tree, with only the root expanded.
        GetTreeCtrl().DeleteItem(TVI_ROOT);
        forgetItems(m_root);
        m_wasConnected = connected;
    }
    if (connected != 0) {
        updateStatus();
        updateConnection();
        updateInterfaces();
        updateScan();
        updateAnalogChannels();
        updateDigitalPanels();
        m_root.m_firstChild = &m_connected;
    } else {
        // The connected rows keep their state but are out of reach until the next connection.
        m_root.m_firstChild = &m_notConnected;
    }
    pruneItems(m_root);
    showItems(m_root);
    GetTreeCtrl().Expand(m_root.m_item, TVE_EXPAND);
}

void CVtrConfigView::updateStatus() {
    const uint16_t status = m_document.getStatusWord();
    fill(m_selfTest, status != 0 ? 1 : 0);
    for (int i = 0; i < statusFailures; ++i) {
        m_failures[i].m_present = (status >> kStatusFailures[i].bit) & 1;
    }
}

void CVtrConfigView::updateConnection() {
    const ConnectOptions options = m_document.getConnectOptions();
    fill(m_protocol, options.protocol);
    fill(m_comPort, options.comPort);
    fill(m_slaveId, options.slaveId);
    fill(m_baudRate, options.baudIndex);
    fill(m_parity, options.parityIndex);
    fill(m_server, options.server);
    fill(m_tcpPort, options.tcpPort);
    const int32_t rtu = options.protocol == ConnectOptions::modbusRtu ? 1 : 0;
    const int32_t tcp = options.protocol == ConnectOptions::modbusTcp ? 1 : 0;
    m_comPort.node.m_present = rtu;
    m_slaveId.node.m_present = rtu;
    m_baudRate.node.m_present = rtu;
    m_parity.node.m_present = rtu;
    m_server.node.m_present = tcp;
    m_tcpPort.node.m_present = tcp;

    const DeviceInfo& info = m_document.getDeviceInfo();
    fill(m_deviceStrings[0], info.manufacturer);
    fill(m_deviceStrings[1], info.modelNumber);
    fill(m_deviceStrings[2], info.serialNumber);
    fill(m_deviceStrings[3], info.firmwareRevision);
    fill(m_deviceStrings[4], info.ethernetFirmwareRevision);
    m_deviceStrings[4].node.m_present = info.ethernetFirmwareRevision.empty() ? 0 : 1;
}

void CVtrConfigView::updateInterfaces() {
    if (const RtuConfig* rtu = m_document.getRtuConfig()) {
        fill(m_serialInterface, rtu->serialInterface);
        fill(m_rtuBaudRate, rtu->baudIndex);
        fill(m_rtuParity, rtu->parityIndex);
        fill(m_slaveIdHigh, rtu->slaveIdHigh);
    } else {
        m_serialInterface.value.m_valid = 0;
        m_rtuBaudRate.value.m_valid = 0;
        m_rtuParity.value.m_valid = 0;
        m_slaveIdHigh.value.m_valid = 0;
    }

    const bool overTcp = m_document.getConnectOptions().protocol == ConnectOptions::modbusTcp;
    const TcpConfig* primary = m_document.getTcpConfig(0);
    updateTcp(m_tcp[0], primary, primary != nullptr && overTcp);

    const int32_t secondary = m_document.getSecondaryTcpSupported() != 0 ? 1 : 0;
    TcpRows& rows = m_tcp[1];
    rows.branch.m_present = secondary;
    for (CVtrTreeNode* row = rows.branch.m_firstChild; row != nullptr; row = row->m_nextSibling) {
        row->m_present = secondary;
    }
    if (secondary != 0) {
        // An interface the unit does not fit reads as a MAC address with a zero second byte.
        const TcpConfig* config = m_document.getTcpConfig(1);
        updateTcp(rows, config, config != nullptr && overTcp && config->macAddress[1] != 0);
    }
}

void CVtrConfigView::updateTcp(TcpRows& rows, const TcpConfig* config, bool macShown) {
    if (config != nullptr) {
        fill(rows.ipAddress, config->ipAddress);
        fill(rows.subnetMask, config->subnetMask);
        fill(rows.gateway, config->gateway);
        fill(rows.keepalive, config->keepaliveMs);
        fill(rows.tcpPort, config->tcpPort);
        fill(rows.macAddress, config->macAddress);
    } else {
        rows.ipAddress.value.m_valid = 0;
        rows.subnetMask.value.m_valid = 0;
        rows.gateway.value.m_valid = 0;
        rows.keepalive.value.m_valid = 0;
        rows.tcpPort.value.m_valid = 0;
    }
    rows.macAddress.node.m_present = macShown ? 1 : 0;
}

void CVtrConfigView::updateScan() {
    const uint16_t* mode = m_document.getScanMode();
    const ScanParameters* parameters = m_document.getScanParameters();
    if (mode != nullptr) {
        fill(m_scanMode, *mode);
    } else {
        m_scanMode.value.m_valid = 0;
    }
    const int32_t userDefined = mode != nullptr && *mode == 1 ? 1 : 0;
    m_scanInterval.node.m_present = userDefined;
    m_scanCount.node.m_present = userDefined;
    m_scanList.m_present = userDefined;
    if (userDefined != 0 && parameters != nullptr) {
        fill(m_scanInterval, parameters->scanIntervalMs);
        fill(m_scanCount, parameters->scanCount);
    } else {
        m_scanInterval.value.m_valid = 0;
        m_scanCount.value.m_valid = 0;
    }
    for (int i = 0; i < ScanParameters::maxEntries; ++i) {
        TreeValueRow<CVtrTreeDataU8>& entry = m_scanEntries[i];
        if (userDefined == 0) {
            entry.node.m_present = 0;
        } else if (parameters != nullptr) {
            fill(entry, parameters->scanList[i]);
            entry.node.m_present = i < parameters->scanListLength ? 1 : 0;
        } else {
            // Without the list, one row says that it is unknown.
            entry.value.m_valid = 0;
            entry.node.m_present = i == 0 ? 1 : 0;
        }
    }
}

void CVtrConfigView::updateAnalogChannels() {
    for (int p = 0; p < PanelLayout::analogPanels; ++p) {
        for (int ch = 0; ch < PanelLayout::channelsPerPanel; ++ch) {
            TreeValueRow<CVtrTreeDataEnum>& channel = m_analogPanels[p].channels[ch];
            const int16_t* state = m_document.getAnalogChannelState(p, ch);
            if (state == nullptr || shownState(*state) != channel.value.m_value) {
                deleteOptionRow(channel.node);
            }
            if (state == nullptr) {
                channel.value.m_valid = 0;
                channel.node.m_present = 1;
                continue;
            }
            fill(channel, shownState(*state));
            channel.node.m_present = *state == ChannelState::vacant ? 0 : 1;
            const int32_t param = channelParam(p, ch);
            if (*state == ChannelState::input) {
                auto& weight = optionValue<CVtrTreeDataEnum>(
                    channel.node, TreeRowLabels::averageWeight, IDD_CFG_ANA_IN_OPTS, param,
                    TreeTextTables::averageWeightCount, TreeTextTables::averageWeight, kInvalid,
                    kUnknown);
                const uint16_t* index = m_document.getAverageWeightIndex(p, ch);
                weight.m_valid = index != nullptr ? 1 : 0;
                if (index != nullptr) {
                    // One table holds both forms: the hexadecimal texts follow the decimal ones.
                    // An index beyond the weights shows as itself, marked invalid.
                    const bool known = *index < TreeTextTables::averageWeightHexOffset;
                    weight.m_value =
                        *index + (known && m_hex != 0 ? TreeTextTables::averageWeightHexOffset : 0);
                }
            } else if (*state == ChannelState::output) {
                auto& output = optionValue<CVtrTreeDataI16>(
                    channel.node, TreeRowLabels::defaultOutput, IDD_CFG_ANA_OUT_OPTS, param);
                const int16_t* value = m_document.getDefaultOutput(p, ch);
                output.m_valid = value != nullptr ? 1 : 0;
                if (value != nullptr) {
                    output.m_value = *value;
                }
            }
        }
    }
}

void CVtrConfigView::updateDigitalPanels() {
    int32_t anyPresent = 0;
    for (int p = 0; p < PanelLayout::digitalPanels; ++p) {
        DigitalPanelRows& panel = m_digitalPanels[p];
        const int32_t present = m_document.isDigitalPanelAvailable(p) ? 1 : 0;
        anyPresent |= present;
        panel.panel.m_present = present;
        panel.deviceInfo.m_present = present;
        for (TreeValueRow<CVtrTreeDataStr>& row : panel.strings) {
            row.node.m_present = present;
        }
        if (present != 0) {
            if (const DigitalDeviceInfo* info = m_document.getDigitalDeviceInfo(p)) {
                fill(panel.strings[0], info->manufacturer);
                fill(panel.strings[1], info->modelNumber);
                fill(panel.strings[2], info->serialNumber);
                fill(panel.strings[3], info->firmwareRevision);
            } else {
                for (TreeValueRow<CVtrTreeDataStr>& row : panel.strings) {
                    row.value.m_valid = 0;
                }
            }
        }
        for (int ch = 0; ch < PanelLayout::channelsPerPanel; ++ch) {
            TreeValueRow<CVtrTreeDataEnum>& channel = panel.channels[ch];
            const int16_t* state = m_document.getDigitalChannelState(p, ch);
            if (state == nullptr || present == 0 || shownState(*state) != channel.value.m_value) {
                deleteOptionRow(channel.node);
            }
            if (present == 0) {
                channel.node.m_present = 0;
                continue;
            }
            if (state == nullptr) {
                channel.value.m_valid = 0;
                channel.node.m_present = 1;
                continue;
            }
            fill(channel, shownState(*state));
            channel.node.m_present = *state == ChannelState::vacant ? 0 : 1;
            if (*state == ChannelState::output) {
                auto& output = optionValue<CVtrTreeDataEnum>(
                    channel.node, TreeRowLabels::defaultOutput, IDD_CFG_DIG_OUT_OPTS,
                    channelParam(p, ch), TreeTextTables::digitalDefaultOutputCount,
                    TreeTextTables::digitalDefaultOutput, kInvalid, kUnknown);
                const int32_t* value = m_document.getDigitalDefaultOutput(p, ch);
                output.m_valid = value != nullptr ? 1 : 0;
                output.m_value = value != nullptr && *value == 1 ? 1 : 0;
            }
        }
    }
    m_digitalConfig.m_present = anyPresent;
}

void CVtrConfigView::deleteOptionRow(CVtrTreeNode& channel) {
    auto* option = static_cast<CVtrTreeNodeWithData*>(channel.m_firstChild);
    if (option == nullptr) {
        return;
    }
    if (option->m_item) {
        GetTreeCtrl().DeleteItem(option->m_item);
    }
    delete option->m_data;
    delete option;
    channel.m_firstChild = nullptr;
}

void CVtrConfigView::deleteAllOptionRows() {
    for (AnalogPanelRows& panel : m_analogPanels) {
        for (TreeValueRow<CVtrTreeDataEnum>& channel : panel.channels) {
            deleteOptionRow(channel.node);
        }
    }
    for (DigitalPanelRows& panel : m_digitalPanels) {
        for (TreeValueRow<CVtrTreeDataEnum>& channel : panel.channels) {
            deleteOptionRow(channel.node);
        }
    }
}

// Children before their parent, so that a row's item goes before the item of a row above it.
void CVtrConfigView::pruneItems(CVtrTreeNode& row) {
    for (CVtrTreeNode* child = row.m_firstChild; child != nullptr; child = child->m_nextSibling) {
        pruneItems(*child);
    }
    if (row.m_item && row.m_present == 0) {
        GetTreeCtrl().DeleteItem(row.m_item);
        forgetItems(row);
    }
}

void CVtrConfigView::showItems(CVtrTreeNode& row) {
    if (!row.m_item && row.m_present != 0) {
        const HTREEITEM parent = row.m_parent != nullptr ? row.m_parent->m_item : TVI_ROOT;
        HTREEITEM after = TVI_FIRST;
        for (CVtrTreeNode* before = row.m_prevSibling; before != nullptr;
             before = before->m_prevSibling) {
            if (before->m_item) {
                after = before->m_item;
                break;
            }
        }
        row.GetText(m_text, m_hex);
        row.m_item =
            GetTreeCtrl().InsertItem(m_text, reinterpret_cast<uintptr_t>(&row), parent, after);
    } else if (row.m_item) {
        row.GetText(m_text, m_hex);
        GetTreeCtrl().SetItemText(row.m_item, m_text);
    }
    if (!row.m_item) {
        return;
    }
    for (CVtrTreeNode* child = row.m_firstChild; child != nullptr; child = child->m_nextSibling) {
        showItems(*child);
    }
}

long CVtrConfigView::OnDblClk() {
    const HTREEITEM selected = GetTreeCtrl().GetSelectedItem();
    const auto* row = reinterpret_cast<const CVtrTreeNode*>(GetTreeCtrl().GetItemData(selected));
    if (row == nullptr) {
        return 1;
    }
    const int panel = (row->m_param >> 4) & 15;
    const int channel = row->m_param & 15;
    switch (row->m_dialogId) {
    case IDD_CFG_ANA_SCAN_PARMS:
        m_document.configureScanParameters();
        break;
    case IDD_CFG_ANA_CHAN_STATES:
        m_document.configureAnalogChannelStates(row->m_param);
        break;
    case IDD_CFG_ANA_IN_OPTS:
        m_document.configureAverageWeight(panel, channel);
        break;
    case IDD_CFG_ANA_OUT_OPTS:
        m_document.configureDefaultOutput(panel, channel);
        break;
    case IDD_CFG_RTU_PARMS:
        m_document.configureRtuInterface();
        break;
    case IDD_CFG_TCP_PARMS:
        m_document.configureTcpInterface(row->m_param);
        break;
    case IDD_CFG_DIG_CHAN_STATES:
        m_document.configureDigitalChannelStates(row->m_param);
        break;
    case IDD_CFG_SCAN_MODE:
        m_document.configureScanMode();
        break;
    case IDD_CFG_DIG_OUT_OPTS:
        m_document.configureDigitalOutput(panel, channel);
        break;
    default:
        break;
    }
    // Handled whatever the row, so that a double-click never expands or collapses one.
    return 1;
}

std::string CVtrConfigView::outlineText() const {
    std::string text;
    for (const CTreeCtrl::Row& row : GetTreeCtrl().rows()) {
        text.append(2 * static_cast<size_t>(row.depth), ' ');
        text += row.text;
        text += '\n';
    }
    return text;
}
