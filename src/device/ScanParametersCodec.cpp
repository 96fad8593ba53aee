#include "device/ScanParametersCodec.h"

#include <algorithm>

namespace ScanParametersCodec {

namespace {
constexpr size_t firstListRegister = 0;
constexpr size_t terminatorRegister = 64;
constexpr size_t scanIntervalRegister = 65;
constexpr size_t scanCountRegister = 66;

static_assert(terminatorRegister == firstListRegister + ScanParameters::maxEntries);
static_assert(registers == scanCountRegister + 1);
} // namespace

ScanParameters decode(std::span<const uint16_t, registers> block) {
    ScanParameters parameters;
    parameters.scanListLength = ScanParameters::maxEntries;
    for (int i = 0; i < ScanParameters::maxEntries; ++i) {
        const auto entry = static_cast<uint8_t>(block[firstListRegister + i] & 0xFF);
        parameters.scanList[i] = entry;
        if (entry == ScanParameters::endOfList &&
            parameters.scanListLength == ScanParameters::maxEntries) {
            parameters.scanListLength = i;
        }
    }
    // The terminator register is not part of the list and is ignored.
    parameters.scanIntervalMs = block[scanIntervalRegister];
    parameters.scanCount = block[scanCountRegister];
    return parameters;
}

std::array<uint16_t, registers> encode(const ScanParameters& parameters) {
    std::array<uint16_t, registers> block{};
    const int length = std::clamp<int>(parameters.scanListLength, 0, ScanParameters::maxEntries);
    for (int i = 0; i < ScanParameters::maxEntries; ++i) {
        block[firstListRegister + i] =
            i < length ? parameters.scanList[i] : ScanParameters::endOfList;
    }
    block[terminatorRegister] = ScanParameters::endOfList;
    block[scanIntervalRegister] = parameters.scanIntervalMs;
    block[scanCountRegister] = parameters.scanCount;
    return block;
}

} // namespace ScanParametersCodec
