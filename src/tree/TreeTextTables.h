#pragma once

#include <cstdint>

// The texts of enumerated values in the configuration tree, indexed by the stored code.
namespace TreeTextTables {

constexpr int32_t selfTestCount = 2;
extern const char* const selfTest[selfTestCount];

constexpr int32_t protocolCount = 2;
extern const char* const protocol[protocolCount];

constexpr int32_t baudRateCount = 8;
extern const char* const baudRate[baudRateCount];

constexpr int32_t parityCount = 3;
extern const char* const parity[parityCount];

constexpr int32_t serialInterfaceCount = 3;
extern const char* const serialInterface[serialInterfaceCount];

constexpr int32_t scanModeCount = 2;
extern const char* const scanMode[scanModeCount];

constexpr int32_t channelStateCount = 3;
extern const char* const analogChannelState[channelStateCount];
extern const char* const digitalChannelState[channelStateCount];

// Weight 2^w: entries 0..15 in decimal ("1" .. "32768"), entries 16..31 the same weights in
// hexadecimal ("0x0001" .. "0x8000"). A row stores w, or w + 16 in hexadecimal display.
constexpr int32_t averageWeightCount = 32;
constexpr int32_t averageWeightHexOffset = 16;
extern const char* const averageWeight[averageWeightCount];

constexpr int32_t digitalDefaultOutputCount = 2;
extern const char* const digitalDefaultOutput[digitalDefaultOutputCount];

} // namespace TreeTextTables
