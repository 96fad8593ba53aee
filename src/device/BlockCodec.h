#pragma once

#include "device/DeviceImage.h"
#include "device/RegisterMap.h"

#include <array>
#include <cstdint>
#include <span>

// One codec per block of the unit: `Wire` is the buffer of one read transaction, `store`
// decodes a successful read into the image and sets the entry's flags, and the writable blocks
// have an `encode` from the values the document holds to the registers (or coils) of a write.
// Only a successful read is stored: a failed one leaves the image untouched.
template <DeviceBlock block>
struct BlockCodec;

template <DeviceBlock block>
using BlockRegisters = std::array<uint16_t, RegisterMap::count(block)>;

template <>
struct BlockCodec<DeviceBlock::communicationCheck> {
    using Wire = BlockRegisters<DeviceBlock::communicationCheck>;
    // The answer only proves that the unit is there.
    static void store(const Wire&, DeviceImage&, int) {}
};

template <>
struct BlockCodec<DeviceBlock::statusRegister> {
    using Wire = BlockRegisters<DeviceBlock::statusRegister>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
};

template <>
struct BlockCodec<DeviceBlock::deviceInformation> {
    using Wire = BlockRegisters<DeviceBlock::deviceInformation>;
    // Also decides from the firmware revision whether the secondary interface exists.
    static void store(const Wire& wire, DeviceImage& image, int panel);
};

template <>
struct BlockCodec<DeviceBlock::digitalPanelBypass> {
    using Wire = BlockRegisters<DeviceBlock::digitalPanelBypass>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
};

template <>
struct BlockCodec<DeviceBlock::rtuConfiguration> {
    using Wire = BlockRegisters<DeviceBlock::rtuConfiguration>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
    static std::array<uint16_t, 4> encode(const RtuConfig& config);
};

// Both Ethernet interfaces: `panel` is the interface index, 0 or 1.
template <>
struct BlockCodec<DeviceBlock::tcpConfiguration> {
    using Wire = BlockRegisters<DeviceBlock::tcpConfiguration>;
    static void store(const Wire& wire, DeviceImage& image, int index);
    static std::array<uint16_t, 7> encode(const TcpConfig& config);
};

template <>
struct BlockCodec<DeviceBlock::analogScanMode> {
    using Wire = BlockRegisters<DeviceBlock::analogScanMode>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
    static std::array<uint16_t, 1> encode(uint16_t mode) { return {mode}; }
};

template <>
struct BlockCodec<DeviceBlock::scanParameters> {
    using Wire = BlockRegisters<DeviceBlock::scanParameters>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
    static Wire encode(const ScanParameters& parameters);
};

// The three analog blocks are read for all four panels at once and written channel by channel
// or panel by panel: encode fills one wire value per channel value given.
template <>
struct BlockCodec<DeviceBlock::analogChannelStates> {
    using Wire = BlockRegisters<DeviceBlock::analogChannelStates>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
    static void encode(std::span<const int16_t> states, std::span<uint16_t> wire);
};

// Decodes by the channel states held in the image, so the states are read first.
template <>
struct BlockCodec<DeviceBlock::analogInputOptions> {
    using Wire = BlockRegisters<DeviceBlock::analogInputOptions>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
    static void encode(std::span<const uint16_t> indices, std::span<uint16_t> wire);
};

template <>
struct BlockCodec<DeviceBlock::analogOutputOptions> {
    using Wire = BlockRegisters<DeviceBlock::analogOutputOptions>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
    static void encode(std::span<const int16_t> values, std::span<uint16_t> wire);
};

// The digital blocks are read and written one panel at a time.
template <>
struct BlockCodec<DeviceBlock::digitalDeviceInformation> {
    using Wire = BlockRegisters<DeviceBlock::digitalDeviceInformation>;
    // Also marks the panel present.
    static void store(const Wire& wire, DeviceImage& image, int panel);
};

template <>
struct BlockCodec<DeviceBlock::digitalChannelStates> {
    using Wire = BlockRegisters<DeviceBlock::digitalChannelStates>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
    static Wire encode(const DeviceImage::PanelStates& states);
};

template <>
struct BlockCodec<DeviceBlock::digitalOutputOptions> {
    using Wire = std::array<int, RegisterMap::count(DeviceBlock::digitalOutputOptions)>;
    static void store(const Wire& wire, DeviceImage& image, int panel);
};
