#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The data of a register read reply, as it follows the function code in every framing: the
// byte count, then each word high byte first.
inline Bytes registerReply(const std::vector<uint16_t>& words) {
    Bytes reply{static_cast<uint8_t>(2 * words.size())};
    for (const uint16_t word : words) {
        reply.push_back(static_cast<uint8_t>(word >> 8));
        reply.push_back(static_cast<uint8_t>(word & 0xFF));
    }
    return reply;
}

// The same for `count` words valued first, first + 1, ..., which shows a word out of place.
inline Bytes registerReply(int count, uint16_t first) {
    std::vector<uint16_t> words;
    for (int i = 0; i < count; ++i) {
        words.push_back(static_cast<uint16_t>(first + i));
    }
    return registerReply(words);
}
