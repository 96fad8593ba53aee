#include "tree/TrafficMeaning.h"

#include "device/AverageWeightCode.h"
#include "device/BlockLocator.h"
#include "device/ChannelState.h"
#include "device/ChannelStateCode.h"
#include "device/DeviceInfoCodec.h"
#include "device/RtuConfigCodec.h"
#include "device/ScanParametersCodec.h"
#include "device/TcpConfigCodec.h"
#include "modbus/ByteReader.h"
#include "modbus/ModbusFunction.h"
#include "tree/CVtrTreeDataEnum.h"
#include "tree/CVtrTreeDataI16.h"
#include "tree/CVtrTreeDataIp.h"
#include "tree/CVtrTreeDataMac.h"
#include "tree/CVtrTreeDataStr.h"
#include "tree/CVtrTreeDataU16.h"
#include "tree/CVtrTreeDataU8.h"
#include "tree/TreeRowLabels.h"
#include "tree/TreeTextTables.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace TrafficMeaning {

namespace {

using PanelLayout::channelsPerPanel;
namespace Labels = TreeRowLabels;

// Request data of single writes: address, then the value field; of multiple writes: address,
// count, byte count, then the data. Reply data of reads: byte count, then the data.
constexpr size_t singleValueOffset = 2;
constexpr size_t multipleDataOffset = 5;
constexpr size_t readDataOffset = 1;
constexpr unsigned coilOnField = 0xFF00;

// The registers or coils (0 or 1) a transaction carried: a write's request, a read's reply.
std::vector<uint16_t> carriedValues(const TrafficEntry& entry) {
    const bool write = entry.function == ModbusFunction::writeSingleCoil ||
                       entry.function == ModbusFunction::writeSingleRegister ||
                       entry.function == ModbusFunction::writeMultipleCoils ||
                       entry.function == ModbusFunction::writeMultipleRegisters;
    const std::vector<uint8_t>& bytes = write ? entry.request : entry.reply;
    const ByteReader data(bytes.data(), bytes.size());
    std::vector<uint16_t> values;
    switch (entry.function) {
    case ModbusFunction::writeSingleCoil:
        values.push_back(data.u16(singleValueOffset) == coilOnField ? 1 : 0);
        break;
    case ModbusFunction::writeSingleRegister:
        values.push_back(static_cast<uint16_t>(data.u16(singleValueOffset)));
        break;
    case ModbusFunction::readInputRegisters:
    case ModbusFunction::writeMultipleRegisters: {
        const size_t first = write ? multipleDataOffset : readDataOffset;
        for (int i = 0; i < entry.count && first + 2 * i + 1 < bytes.size(); ++i) {
            values.push_back(static_cast<uint16_t>(data.u16(first + 2 * static_cast<size_t>(i))));
        }
        break;
    }
    case ModbusFunction::readCoils:
    case ModbusFunction::writeMultipleCoils: {
        const size_t first = write ? multipleDataOffset : readDataOffset;
        for (int i = 0; i < entry.count && first + i / 8 < bytes.size(); ++i) {
            values.push_back((data.u8(first + static_cast<size_t>(i / 8)) >> (i % 8)) & 1u);
        }
        break;
    }
    default:
        break;
    }
    return values;
}

// "Label = value, Label = value" in the tree's formats.
class Fields {
public:
    explicit Fields(int hex) : m_hex(hex) {}

    void add(const std::string& label, const CVtrTreeData& value) {
        value.Format(m_value, m_hex);
        addText(label + m_value);
    }
    template <class Data, class Value>
    void addValue(const std::string& label, Value value) {
        Data data;
        data.m_value = value;
        add(label, data);
    }
    void addChoice(const std::string& label, int32_t code, int32_t count,
                   const char* const* table) {
        CVtrTreeDataEnum value(count, table, CVtrTreeDataEnum::invalidText, nullptr);
        value.m_value = code;
        add(label, value);
    }
    void addText(const std::string& field) {
        m_text += m_separator;
        m_text += field;
        m_separator = ", ";
    }
    // The fields after it belong to a group, such as one panel of a channel block.
    void group(const char* name) {
        m_text += m_text.empty() ? "" : "; ";
        m_text += name;
        m_separator = ": ";
    }
    int hex() const { return m_hex; }
    const std::string& text() const { return m_text; }

private:
    int m_hex;
    std::string m_text;
    std::string m_value;
    const char* m_separator = "";
};

// The values of a transaction that carried exactly the N registers of a block.
template <size_t N>
std::span<const uint16_t, N> wholeBlock(const std::vector<uint16_t>& values) {
    return std::span<const uint16_t, N>(values.data(), N);
}

void addStrings(Fields& fields, std::span<const std::string> strings) {
    for (size_t i = 0; i < strings.size(); ++i) {
        CVtrTreeDataStr text;
        text.m_value = strings[i];
        fields.add(Labels::deviceStrings[i], text);
    }
}

void describeStatus(uint16_t status, Fields& fields) {
    fields.addChoice(Labels::selfTest, status != 0 ? 1 : 0, TreeTextTables::selfTestCount,
                     TreeTextTables::selfTest);
    for (const auto& failure : Labels::statusFailures) {
        if ((status >> failure.bit) & 1) {
            fields.addText(failure.label);
        }
    }
}

void describeRtu(const RtuConfig& rtu, Fields& fields) {
    fields.addChoice(Labels::serialInterface, rtu.serialInterface,
                     TreeTextTables::serialInterfaceCount, TreeTextTables::serialInterface);
    fields.addChoice(Labels::baudRate, rtu.baudIndex, TreeTextTables::baudRateCount,
                     TreeTextTables::baudRate);
    fields.addChoice(Labels::parity, rtu.parityIndex, TreeTextTables::parityCount,
                     TreeTextTables::parity);
    fields.addValue<CVtrTreeDataU8>(Labels::slaveIdHigh, rtu.slaveIdHigh);
}

// A write covers the settable fields only; the read-only port and MAC come with reads.
void describeTcp(const std::vector<uint16_t>& values, Fields& fields) {
    std::array<uint16_t, TcpConfigCodec::registers> block{};
    std::copy(values.begin(), values.end(), block.begin());
    const TcpConfig tcp = TcpConfigCodec::decode(block);
    fields.addValue<CVtrTreeDataIp>(Labels::ipAddress, tcp.ipAddress);
    fields.addValue<CVtrTreeDataIp>(Labels::subnetMask, tcp.subnetMask);
    fields.addValue<CVtrTreeDataIp>(Labels::gateway, tcp.gateway);
    fields.addValue<CVtrTreeDataU16>(Labels::keepalive, tcp.keepaliveMs);
    if (values.size() == block.size()) {
        fields.addValue<CVtrTreeDataU16>(Labels::tcpPort, tcp.tcpPort);
        fields.addValue<CVtrTreeDataMac>(Labels::macAddress, tcp.macAddress);
    }
}

void describeScanParameters(const ScanParameters& parameters, Fields& fields) {
    fields.addValue<CVtrTreeDataU16>(Labels::scanInterval, parameters.scanIntervalMs);
    fields.addValue<CVtrTreeDataU16>(Labels::scanCount, parameters.scanCount);
    std::string list;
    std::string entry;
    for (int i = 0; i < parameters.scanListLength; ++i) {
        CVtrTreeDataU8 id;
        id.m_value = parameters.scanList[i];
        id.Format(entry, fields.hex());
        list += (i == 0 ? "" : " ") + entry;
    }
    fields.addText(std::string(Labels::scanList) + " = " + list);
}

// One channel's value as the tree's channel or option row shows it.
void addChannel(DeviceBlock block, int channel, uint16_t wire, Fields& fields) {
    const char* label = Labels::channels[channel];
    const std::string optionLabel = std::string(label) + Labels::defaultOutput;
    switch (block) {
    case DeviceBlock::analogChannelStates:
    case DeviceBlock::digitalChannelStates:
        // An undecodable state reads 65535, as in the tree.
        fields.addChoice(label, static_cast<uint16_t>(ChannelStateCode::decode(wire)),
                         TreeTextTables::channelStateCount,
                         block == DeviceBlock::analogChannelStates
                             ? TreeTextTables::analogChannelState
                             : TreeTextTables::digitalChannelState);
        break;
    case DeviceBlock::analogInputOptions: {
        const uint16_t index = AverageWeightCode::decode(wire, ChannelState::input);
        const bool known = index <= AverageWeightCode::maxIndex;
        fields.addChoice(
            std::string(label) + Labels::averageWeight,
            index + (known && fields.hex() != 0 ? TreeTextTables::averageWeightHexOffset : 0),
            TreeTextTables::averageWeightCount, TreeTextTables::averageWeight);
        break;
    }
    case DeviceBlock::analogOutputOptions:
        fields.addValue<CVtrTreeDataI16>(optionLabel, static_cast<int16_t>(wire));
        break;
    case DeviceBlock::digitalOutputOptions:
        fields.addChoice(optionLabel, wire, TreeTextTables::digitalDefaultOutputCount,
                         TreeTextTables::digitalDefaultOutput);
        break;
    case DeviceBlock::liveDigitalValue:
        fields.addValue<CVtrTreeDataU16>(label, wire != 0 ? 1 : 0);
        break;
    default:
        fields.addValue<CVtrTreeDataU16>(label, wire);
        break;
    }
}

bool isAnalog(DeviceBlock block) {
    return block == DeviceBlock::analogChannelStates || block == DeviceBlock::analogInputOptions ||
           block == DeviceBlock::analogOutputOptions || block == DeviceBlock::liveAnalogValue;
}

const char* panelName(DeviceBlock block, int panel) {
    return isAnalog(block) ? Labels::analogPanels[panel] : Labels::digitalPanels[panel];
}

// Channel blocks: one value per channel from the spot on, grouped by panel.
void describeChannels(const BlockSpot& spot, const std::vector<uint16_t>& values, Fields& fields) {
    const DeviceBlock block = spot.block->id;
    int lastPanel = -1;
    for (size_t i = 0; i < values.size(); ++i) {
        const int id = spot.offset + static_cast<int>(i);
        const int panel = id / channelsPerPanel;
        if (panel >= (isAnalog(block) ? PanelLayout::analogPanels : PanelLayout::digitalPanels)) {
            break;
        }
        if (panel != lastPanel) {
            fields.group(panelName(block, panel));
            lastPanel = panel;
        }
        addChannel(block, id % channelsPerPanel, values[i], fields);
    }
}

bool isChannelBlock(DeviceBlock block) {
    switch (block) {
    case DeviceBlock::analogChannelStates:
    case DeviceBlock::analogInputOptions:
    case DeviceBlock::analogOutputOptions:
    case DeviceBlock::digitalChannelStates:
    case DeviceBlock::digitalOutputOptions:
    case DeviceBlock::liveAnalogValue:
    case DeviceBlock::liveDigitalValue:
        return true;
    default:
        return false;
    }
}

// The fields of a transaction that carried the whole block (or, for channel blocks, any run
// of channels); other runs of registers are named by their block only.
void describeValues(const BlockSpot& spot, int count, const std::vector<uint16_t>& values,
                    Fields& fields) {
    const RegisterBlock& block = *spot.block;
    const bool whole = spot.offset == 0 && count == block.count;
    switch (block.id) {
    case DeviceBlock::statusRegister:
        describeStatus(values[0], fields);
        break;
    case DeviceBlock::deviceInformation:
        if (whole) {
            const DeviceInfo info =
                DeviceInfoCodec::decode(wholeBlock<DeviceInfoCodec::deviceRegisters>(values));
            addStrings(fields, std::array{info.manufacturer, info.modelNumber, info.serialNumber,
                                          info.firmwareRevision, info.ethernetFirmwareRevision});
        }
        break;
    case DeviceBlock::digitalPanelBypass:
        for (size_t panel = 0; whole && panel < values.size(); ++panel) {
            fields.addText(std::string(Labels::digitalPanels[panel]) +
                           (values[panel] == 0 ? " = In Use" : " = Bypassed"));
        }
        break;
    case DeviceBlock::rtuConfiguration:
        if (whole) {
            describeRtu(RtuConfigCodec::decode(wholeBlock<RtuConfigCodec::registers>(values)),
                        fields);
        }
        break;
    case DeviceBlock::tcpConfiguration:
    case DeviceBlock::tcpConfiguration2:
        if (spot.offset == 0 && (count == block.count || count == block.writeCount)) {
            describeTcp(values, fields);
        }
        break;
    case DeviceBlock::analogScanMode:
        fields.addChoice(Labels::scanMode, values[0], TreeTextTables::scanModeCount,
                         TreeTextTables::scanMode);
        break;
    case DeviceBlock::scanParameters:
        if (whole) {
            describeScanParameters(
                ScanParametersCodec::decode(wholeBlock<ScanParametersCodec::registers>(values)),
                fields);
        }
        break;
    case DeviceBlock::digitalDeviceInformation:
        if (spot.offset % block.panelStride == 0 && count == block.count) {
            fields.group(Labels::digitalPanels[spot.offset / block.panelStride]);
            const DigitalDeviceInfo info = DeviceInfoCodec::decodeDigital(
                wholeBlock<DeviceInfoCodec::digitalRegisters>(values));
            addStrings(fields, std::array{info.manufacturer, info.modelNumber, info.serialNumber,
                                          info.firmwareRevision});
        }
        break;
    case DeviceBlock::resetDigitalPanel:
        fields.addText(Labels::digitalPanels[spot.offset]);
        break;
    default:
        if (isChannelBlock(block.id)) {
            describeChannels(spot, values, fields);
        }
        break;
    }
}

// Without values (a read that failed), a transaction within one panel names the panel, and a
// single channel too.
void describePlace(const BlockSpot& spot, int count, Fields& fields) {
    const RegisterBlock& block = *spot.block;
    if (block.panelStride == 0 || count > block.panelStride) {
        return;
    }
    const int panel = spot.offset / block.panelStride;
    fields.group(isChannelBlock(block.id) ? panelName(block.id, panel)
                                          : Labels::digitalPanels[panel]);
    if (isChannelBlock(block.id) && count == 1) {
        fields.addText("Channel " + std::to_string(spot.offset % block.panelStride));
    }
}

} // namespace

const char* blockName(DeviceBlock block) {
    switch (block) {
    case DeviceBlock::communicationCheck:
        return "Communication Check";
    case DeviceBlock::resetAnalogPanels:
        return "Reset Analog Panels";
    case DeviceBlock::resetDigitalPanel:
        return "Reset Digital Panel";
    case DeviceBlock::liveAnalogValue:
        return "Live Analog Value";
    case DeviceBlock::liveDigitalValue:
        return "Live Digital Value";
    default:
        return RegisterMap::label(block);
    }
}

std::string describe(const TrafficEntry& entry, int hex) {
    const auto spot = BlockLocator::locate(entry.function, entry.address);
    if (!spot) {
        return {};
    }
    std::string text = blockName(spot->block->id);
    const std::vector<uint16_t> values = carriedValues(entry);
    Fields fields(hex);
    if (!values.empty() && values.size() == static_cast<size_t>(entry.count)) {
        describeValues(*spot, entry.count, values, fields);
    } else {
        describePlace(*spot, entry.count, fields);
    }
    if (!fields.text().empty()) {
        text += ": " + fields.text();
    }
    return text;
}

} // namespace TrafficMeaning
