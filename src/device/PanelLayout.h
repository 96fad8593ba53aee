#pragma once

// How the unit's panels and channels are counted. The analog side is the base unit (panel 0)
// with up to three expansion panels; the digital side has up to eight panels. Every panel has
// 16 channels, and one integer names an analog channel as 16 * panel + channel.
namespace PanelLayout {
constexpr int analogPanels = 4;
constexpr int digitalPanels = 8;
constexpr int channelsPerPanel = 16;
constexpr int analogChannels = analogPanels * channelsPerPanel;
constexpr int digitalChannels = digitalPanels * channelsPerPanel;

constexpr int channelId(int panel, int channel) {
    return panel * channelsPerPanel + channel;
}

constexpr bool isAnalogPanel(int panel) {
    return panel >= 0 && panel < analogPanels;
}
constexpr bool isDigitalPanel(int panel) {
    return panel >= 0 && panel < digitalPanels;
}
constexpr bool isChannel(int channel) {
    return channel >= 0 && channel < channelsPerPanel;
}
} // namespace PanelLayout
