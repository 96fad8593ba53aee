#include "tools/vtrctl/DocumentJson.h"

#include "device/CVtrConfigDoc.h"
#include "tools/vtrctl/JsonText.h"

#include <cstdio>
#include <string>

namespace {

using PanelLayout::analogPanels;
using PanelLayout::channelsPerPanel;
using PanelLayout::digitalPanels;

template <size_t N>
std::string dotted(const std::array<uint8_t, N>& octets, const char* separator, bool hex) {
    std::string text;
    for (size_t i = 0; i < N; ++i) {
        char part[4];
        std::snprintf(part, sizeof part, hex ? "%02X" : "%u", octets[i]);
        text += (i == 0 ? "" : separator) + std::string(part);
    }
    return jsonString(text);
}

// Writes members of one object, separating them, at one indentation.
class ObjectWriter {
public:
    ObjectWriter(std::ostream& out, int depth) : out_(out), depth_(depth) { out_ << "{"; }
    ~ObjectWriter() { out_ << "\n" << std::string(2 * (depth_ - 1), ' ') << "}"; }

    std::ostream& member(const char* name) {
        out_ << (first_ ? "\n" : ",\n") << std::string(2 * depth_, ' ') << jsonString(name) << ": ";
        first_ = false;
        return out_;
    }

private:
    std::ostream& out_;
    int depth_;
    bool first_ = true;
};

// A value, or null when the entry is stale.
template <typename T, typename Write>
void orNull(std::ostream& out, const T* entry, Write write) {
    if (entry == nullptr) {
        out << "null";
    } else {
        write(*entry);
    }
}

// One line per panel: an array of its 16 channels, each from `channel` (null when stale), or
// null for the whole panel when `panelKnown` says so.
template <typename PanelKnown, typename Channel>
void byPanel(std::ostream& out, int panels, int depth, PanelKnown panelKnown, Channel channel) {
    out << "[";
    for (int panel = 0; panel < panels; ++panel) {
        out << (panel == 0 ? "\n" : ",\n") << std::string(2 * depth, ' ');
        if (!panelKnown(panel)) {
            out << "null";
            continue;
        }
        out << "[";
        for (int c = 0; c < channelsPerPanel; ++c) {
            out << (c == 0 ? "" : ", ");
            channel(panel, c);
        }
        out << "]";
    }
    out << "\n" << std::string(2 * (depth - 1), ' ') << "]";
}

template <typename T>
void number(std::ostream& out, const T* value) {
    orNull(out, value, [&](const T& v) { out << +v; });
}

void state(std::ostream& out, const int16_t* value) {
    orNull(out, value, [&](int16_t v) { out << static_cast<uint16_t>(v); });
}

void writeTcp(std::ostream& out, const TcpConfig* config) {
    orNull(out, config, [&](const TcpConfig& tcp) {
        ObjectWriter object(out, 2);
        object.member("ipAddress") << dotted(tcp.ipAddress, ".", false);
        object.member("subnetMask") << dotted(tcp.subnetMask, ".", false);
        object.member("gateway") << dotted(tcp.gateway, ".", false);
        object.member("keepaliveMs") << tcp.keepaliveMs;
        object.member("tcpPort") << tcp.tcpPort;
        object.member("macAddress") << dotted(tcp.macAddress, ":", true);
    });
}

} // namespace

void DocumentJson::write(const CVtrConfigDoc& doc, std::ostream& out) {
    {
        ObjectWriter object(out, 1);
        object.member("statusRegister") << doc.getStatusWord();
        {
            const DeviceInfo& info = doc.getDeviceInfo();
            ObjectWriter identity(object.member("deviceInformation"), 2);
            identity.member("manufacturer") << jsonString(info.manufacturer);
            identity.member("modelNumber") << jsonString(info.modelNumber);
            identity.member("serialNumber") << jsonString(info.serialNumber);
            identity.member("firmwareRevision") << jsonString(info.firmwareRevision);
            identity.member("ethernetFirmwareRevision")
                << jsonString(info.ethernetFirmwareRevision);
        }
        std::ostream& bypass = object.member("digitalPanelBypass");
        bypass << "[";
        for (int panel = 0; panel < digitalPanels; ++panel) {
            bypass << (panel == 0 ? "" : ", ") << doc.image().panelBypass[panel];
        }
        bypass << "]";

        std::ostream& rtu = object.member("rtuConfiguration");
        orNull(rtu, doc.getRtuConfig(), [&](const RtuConfig& config) {
            ObjectWriter fields(rtu, 2);
            fields.member("serialInterface") << config.serialInterface;
            fields.member("baudIndex") << config.baudIndex;
            fields.member("parityIndex") << config.parityIndex;
            fields.member("slaveIdHigh") << +config.slaveIdHigh;
        });
        writeTcp(object.member("tcpConfiguration"), doc.getTcpConfig(0));
        writeTcp(object.member("tcpConfiguration2"), doc.getTcpConfig(1));
        number(object.member("analogScanMode"), doc.getScanMode());

        std::ostream& scan = object.member("scanParameters");
        orNull(scan, doc.getScanParameters(), [&](const ScanParameters& parameters) {
            ObjectWriter fields(scan, 2);
            fields.member("scanIntervalMs") << parameters.scanIntervalMs;
            fields.member("scanCount") << parameters.scanCount;
            std::ostream& list = fields.member("scanList");
            list << "[";
            for (int i = 0; i < parameters.scanListLength && i < ScanParameters::maxEntries; ++i) {
                list << (i == 0 ? "" : ", ") << +parameters.scanList[i];
            }
            list << "]";
        });

        const auto always = [](int) { return true; };
        const auto analogStatesKnown = [&](int panel) {
            return doc.getAnalogChannelState(panel, 0) != nullptr;
        };
        byPanel(
            object.member("analogChannelStates"), analogPanels, 2, analogStatesKnown,
            [&](int panel, int channel) { state(out, doc.getAnalogChannelState(panel, channel)); });
        byPanel(object.member("analogInputOptions"), analogPanels, 2, always,
                [&](int panel, int channel) {
                    number(out, doc.getAverageWeightIndex(panel, channel));
                });
        byPanel(object.member("analogOutputOptions"), analogPanels, 2, always,
                [&](int panel, int channel) { number(out, doc.getDefaultOutput(panel, channel)); });

        std::ostream& digital = object.member("digitalDeviceInformation");
        digital << "[";
        for (int panel = 0; panel < digitalPanels; ++panel) {
            digital << (panel == 0 ? "\n    " : ",\n    ");
            orNull(digital, doc.getDigitalDeviceInfo(panel), [&](const DigitalDeviceInfo& info) {
                ObjectWriter identity(digital, 3);
                identity.member("manufacturer") << jsonString(info.manufacturer);
                identity.member("modelNumber") << jsonString(info.modelNumber);
                identity.member("serialNumber") << jsonString(info.serialNumber);
                identity.member("firmwareRevision") << jsonString(info.firmwareRevision);
            });
        }
        digital << "\n  ]";

        const auto digitalStatesKnown = [&](int panel) {
            return doc.getDigitalChannelState(panel, 0) != nullptr;
        };
        const auto digitalPresent = [&](int panel) {
            return doc.image().digitalPanelPresent[panel] != 0;
        };
        byPanel(object.member("digitalChannelStates"), digitalPanels, 2, digitalStatesKnown,
                [&](int panel, int channel) {
                    state(out, doc.getDigitalChannelState(panel, channel));
                });
        byPanel(object.member("digitalOutputOptions"), digitalPanels, 2, digitalPresent,
                [&](int panel, int channel) {
                    number(out, doc.getDigitalDefaultOutput(panel, channel));
                });
    }
    out << "\n";
}
