#include "device/BlockCodec.h"

#include "device/AverageWeightCode.h"
#include "device/ChannelStateCode.h"
#include "device/DeviceInfoCodec.h"
#include "device/RtuConfigCodec.h"
#include "device/ScanParametersCodec.h"
#include "device/TcpConfigCodec.h"

namespace {

using PanelLayout::analogPanels;
using PanelLayout::channelId;
using PanelLayout::channelsPerPanel;
using PanelLayout::digitalPanels;

// Decodes each channel of every analog panel from its register at 16 * panel + channel.
template <typename Decode>
void forEachAnalogChannel(Decode decode) {
    for (int panel = 0; panel < analogPanels; ++panel) {
        for (int channel = 0; channel < channelsPerPanel; ++channel) {
            decode(panel, channel, channelId(panel, channel));
        }
    }
}

} // namespace

void BlockCodec<DeviceBlock::statusRegister>::store(const Wire& wire, DeviceImage& image, int) {
    image.statusWord = wire[0];
}

void BlockCodec<DeviceBlock::deviceInformation>::store(const Wire& wire, DeviceImage& image, int) {
    image.deviceInfo = DeviceInfoCodec::decode(wire);
    image.secondaryTcpSupported =
        DeviceInfoCodec::supportsSecondaryTcp(image.deviceInfo.firmwareRevision) ? 1 : 0;
}

void BlockCodec<DeviceBlock::digitalPanelBypass>::store(const Wire& wire, DeviceImage& image, int) {
    for (int panel = 0; panel < digitalPanels; ++panel) {
        // The unit's register is signed.
        image.panelBypass[panel] = static_cast<int16_t>(wire[panel]);
    }
}

void BlockCodec<DeviceBlock::rtuConfiguration>::store(const Wire& wire, DeviceImage& image, int) {
    image.rtuConfig.set(RtuConfigCodec::decode(wire));
}

std::array<uint16_t, 4> BlockCodec<DeviceBlock::rtuConfiguration>::encode(const RtuConfig& config) {
    return RtuConfigCodec::encode(config);
}

void BlockCodec<DeviceBlock::tcpConfiguration>::store(const Wire& wire, DeviceImage& image,
                                                      int index) {
    image.tcpConfig[index].set(TcpConfigCodec::decode(wire));
}

std::array<uint16_t, 7> BlockCodec<DeviceBlock::tcpConfiguration>::encode(const TcpConfig& config) {
    return TcpConfigCodec::encode(config);
}

void BlockCodec<DeviceBlock::analogScanMode>::store(const Wire& wire, DeviceImage& image, int) {
    image.scanMode.set(wire[0]);
}

void BlockCodec<DeviceBlock::scanParameters>::store(const Wire& wire, DeviceImage& image, int) {
    image.scanParameters.set(ScanParametersCodec::decode(wire));
}

auto BlockCodec<DeviceBlock::scanParameters>::encode(const ScanParameters& parameters) -> Wire {
    return ScanParametersCodec::encode(parameters);
}

void BlockCodec<DeviceBlock::analogChannelStates>::store(const Wire& wire, DeviceImage& image,
                                                         int) {
    forEachAnalogChannel([&](int panel, int channel, int id) {
        image.analogChannelState[panel].value[channel] = ChannelStateCode::decode(wire[id]);
    });
    for (auto& panel : image.analogChannelState) {
        panel.valid = 1;
    }
}

void BlockCodec<DeviceBlock::analogChannelStates>::encode(std::span<const int16_t> states,
                                                          std::span<uint16_t> wire) {
    for (size_t i = 0; i < states.size() && i < wire.size(); ++i) {
        wire[i] = ChannelStateCode::encode(states[i]);
    }
}

void BlockCodec<DeviceBlock::analogInputOptions>::store(const Wire& wire, DeviceImage& image, int) {
    forEachAnalogChannel([&](int panel, int channel, int id) {
        image.averageWeightIndex[panel][channel].set(
            AverageWeightCode::decode(wire[id], image.analogChannelState[panel].value[channel]));
    });
}

void BlockCodec<DeviceBlock::analogInputOptions>::encode(std::span<const uint16_t> indices,
                                                         std::span<uint16_t> wire) {
    for (size_t i = 0; i < indices.size() && i < wire.size(); ++i) {
        wire[i] = AverageWeightCode::encode(indices[i]);
    }
}

void BlockCodec<DeviceBlock::analogOutputOptions>::store(const Wire& wire, DeviceImage& image,
                                                         int) {
    forEachAnalogChannel([&](int panel, int channel, int id) {
        image.defaultOutput[panel][channel].set(static_cast<int16_t>(wire[id]));
    });
}

void BlockCodec<DeviceBlock::analogOutputOptions>::encode(std::span<const int16_t> values,
                                                          std::span<uint16_t> wire) {
    for (size_t i = 0; i < values.size() && i < wire.size(); ++i) {
        wire[i] = static_cast<uint16_t>(values[i]);
    }
}

void BlockCodec<DeviceBlock::digitalDeviceInformation>::store(const Wire& wire, DeviceImage& image,
                                                              int panel) {
    image.digitalDeviceInfo[panel].set(DeviceInfoCodec::decodeDigital(wire));
    image.digitalPanelPresent[panel] = 1;
}

void BlockCodec<DeviceBlock::digitalChannelStates>::store(const Wire& wire, DeviceImage& image,
                                                          int panel) {
    DeviceImage::PanelStates states{};
    for (int channel = 0; channel < channelsPerPanel; ++channel) {
        states[channel] = ChannelStateCode::decode(wire[channel]);
    }
    image.digitalChannelState[panel].set(states);
}

auto BlockCodec<DeviceBlock::digitalChannelStates>::encode(const DeviceImage::PanelStates& states)
    -> Wire {
    Wire wire{};
    for (int channel = 0; channel < channelsPerPanel; ++channel) {
        wire[channel] = ChannelStateCode::encode(states[channel]);
    }
    return wire;
}

void BlockCodec<DeviceBlock::digitalOutputOptions>::store(const Wire& wire, DeviceImage& image,
                                                          int panel) {
    for (int channel = 0; channel < channelsPerPanel; ++channel) {
        image.digitalDefaultOutput[panel][channel].set(wire[channel]);
    }
}
