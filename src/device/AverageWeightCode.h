#pragma once

#include <cstdint>

// An analog input averages over 2^n samples; the unit holds the weight as a word with
// exactly bit n set, the document as the index n.
namespace AverageWeightCode {
constexpr uint16_t maxIndex = 15;
constexpr uint16_t invalidIndex = 255;
// What the unit uses for a channel that is not an input (and gives a channel that becomes one).
constexpr uint16_t defaultIndex = 2;

// For an input channel, a word with exactly one bit n set decodes to n, anything else to
// invalidIndex. A channel that is not an input has no weight of its own: defaultIndex.
uint16_t decode(uint16_t wire, int16_t channelState);
// Index n encodes to 1 << n; an index above maxIndex encodes to 0, a word with no bit set,
// rather than to a valid-looking weight.
uint16_t encode(uint16_t index);
} // namespace AverageWeightCode
