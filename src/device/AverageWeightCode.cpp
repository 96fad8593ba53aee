#include "device/AverageWeightCode.h"

#include "device/ChannelState.h"

#include <bit>

namespace AverageWeightCode {

uint16_t decode(uint16_t wire, int16_t channelState) {
    if (channelState != ChannelState::input) {
        return defaultIndex;
    }
    if (!std::has_single_bit(wire)) {
        return invalidIndex;
    }
    return static_cast<uint16_t>(std::countr_zero(wire));
}

uint16_t encode(uint16_t index) {
    if (index > maxIndex) {
        return 0;
    }
    return static_cast<uint16_t>(1u << index);
}

} // namespace AverageWeightCode
