#pragma once

#include <cstdint>

// Channel state codes as the document stores them (analog and digital channels alike).
// The images hold them as int16_t, so "invalid" is the bit pattern 0xFFFF, that is -1.
namespace ChannelState {
constexpr int16_t vacant = 0;
constexpr int16_t input = 1;
constexpr int16_t output = 2;
constexpr int16_t invalid = -1; // 0xFFFF: the unit sent a code we do not know
} // namespace ChannelState
