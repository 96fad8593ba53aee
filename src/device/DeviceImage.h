#pragma once

#include "device/DeviceInfo.h"
#include "device/DigitalDeviceInfo.h"
#include "device/Flagged.h"
#include "device/PanelLayout.h"
#include "device/RtuConfig.h"
#include "device/ScanParameters.h"
#include "device/TcpConfig.h"

#include <array>
#include <cstdint>

// The document's copy of every configuration block of the unit, each entry beside the flag
// that qualifies it. statusWord, deviceInfo and panelBypass have no flag: without them no
// refresh completes.
struct DeviceImage {
    template <typename T>
    using PerChannel = std::array<T, PanelLayout::channelsPerPanel>;
    template <typename T>
    using AnalogGrid = std::array<PerChannel<T>, PanelLayout::analogPanels>;
    template <typename T>
    using PerAnalogPanel = std::array<T, PanelLayout::analogPanels>;
    template <typename T>
    using DigitalGrid = std::array<PerChannel<T>, PanelLayout::digitalPanels>;
    template <typename T>
    using PerDigitalPanel = std::array<T, PanelLayout::digitalPanels>;
    // Channel state codes of ChannelState.h; ChannelState::invalid (0xFFFF) for a code the
    // unit sent that we do not know. One flag covers a whole panel.
    using PanelStates = PerChannel<int16_t>;

    static constexpr int tcpInterfaces = 2;

    uint16_t statusWord = 0;
    DeviceInfo deviceInfo;
    Flagged<RtuConfig> rtuConfig;
    std::array<Flagged<TcpConfig>, tcpInterfaces> tcpConfig{};
    Flagged<uint16_t> scanMode;
    Flagged<ScanParameters> scanParameters;
    PerAnalogPanel<Flagged<PanelStates>> analogChannelState{};
    // 0..15, or AverageWeightCode::invalidIndex.
    AnalogGrid<Flagged<uint16_t>> averageWeightIndex{};
    AnalogGrid<Flagged<int16_t>> defaultOutput{};
    // The unit's signed register, sign-extended; 0 means the panel is in use.
    PerDigitalPanel<int32_t> panelBypass{};
    // The panel's Device Information was read in the last refresh.
    PerDigitalPanel<int32_t> digitalPanelPresent{};
    PerDigitalPanel<Flagged<DigitalDeviceInfo>> digitalDeviceInfo{};
    PerDigitalPanel<Flagged<PanelStates>> digitalChannelState{};
    // 0 or 1.
    DigitalGrid<Flagged<int32_t>> digitalDefaultOutput{};
    // 1 when the unit's firmware has the secondary Ethernet interface.
    int32_t secondaryTcpSupported = 0;

    // Marks every flagged entry stale, as at the start of a refresh.
    void clearValidity();

    bool operator==(const DeviceImage&) const = default;
};
