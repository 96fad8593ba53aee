#pragma once

#include "device/DeviceInfo.h"
#include "device/DigitalDeviceInfo.h"
#include "device/PanelLayout.h"
#include "device/RtuConfig.h"
#include "device/ScanParameters.h"
#include "device/TcpConfig.h"

#include <array>
#include <cstdint>

// The document's copy of every configuration block of the unit, with the flags that say which
// entries hold data read from (or written to) the unit since the last refresh began. A cleared
// flag means the entry is stale and must be neither shown nor used as a current value.
// statusWord, deviceInfo and panelBypass have no flag: without them no refresh completes.
struct DeviceImage {
    template <typename T>
    using AnalogGrid =
        std::array<std::array<T, PanelLayout::channelsPerPanel>, PanelLayout::analogPanels>;
    template <typename T>
    using DigitalGrid =
        std::array<std::array<T, PanelLayout::channelsPerPanel>, PanelLayout::digitalPanels>;
    template <typename T>
    using PerDigitalPanel = std::array<T, PanelLayout::digitalPanels>;

    static constexpr int tcpInterfaces = 2;

    uint16_t statusWord = 0;
    DeviceInfo deviceInfo;
    RtuConfig rtuConfig;
    std::array<TcpConfig, tcpInterfaces> tcpConfig{};
    uint16_t scanMode = 0;
    ScanParameters scanParameters;
    // Channel state codes of ChannelState.h; ChannelState::invalid (0xFFFF) for a code the
    // unit sent that we do not know.
    AnalogGrid<int16_t> analogChannelState{};
    // 0..15, or AverageWeightCode::invalidIndex.
    AnalogGrid<uint16_t> averageWeightIndex{};
    AnalogGrid<int16_t> defaultOutput{};
    // The unit's signed register, sign-extended; 0 means the panel is in use.
    PerDigitalPanel<int32_t> panelBypass{};
    PerDigitalPanel<DigitalDeviceInfo> digitalDeviceInfo{};
    DigitalGrid<int16_t> digitalChannelState{};
    // 0 or 1.
    DigitalGrid<int32_t> digitalDefaultOutput{};

    int32_t rtuConfigValid = 0;
    std::array<int32_t, tcpInterfaces> tcpConfigValid{};
    int32_t scanModeValid = 0;
    int32_t scanParametersValid = 0;
    std::array<int32_t, PanelLayout::analogPanels> analogStatesValid{};
    AnalogGrid<int32_t> averageWeightValid{};
    AnalogGrid<int32_t> defaultOutputValid{};
    PerDigitalPanel<int32_t> digitalPanelPresent{};
    PerDigitalPanel<int32_t> digitalDeviceInfoValid{};
    PerDigitalPanel<int32_t> digitalStatesValid{};
    DigitalGrid<int32_t> digitalOutputValid{};
    // 1 when the unit's firmware has the secondary Ethernet interface.
    int32_t secondaryTcpSupported = 0;

    // Marks every flagged entry stale, as at the start of a refresh.
    void clearValidity();

    bool operator==(const DeviceImage&) const = default;
};
