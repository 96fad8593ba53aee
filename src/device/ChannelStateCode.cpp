#include "device/ChannelStateCode.h"

#include "device/ChannelState.h"

namespace ChannelStateCode {

namespace {
constexpr uint16_t wireUnknown = 0xFFFF;
}

int16_t decode(uint16_t wire) {
    switch (wire) {
    case wireVacant:
        return ChannelState::vacant;
    case wireInput:
        return ChannelState::input;
    case wireOutput:
        return ChannelState::output;
    default:
        return ChannelState::invalid;
    }
}

uint16_t encode(int16_t state) {
    switch (state) {
    case ChannelState::vacant:
        return wireVacant;
    case ChannelState::input:
        return wireInput;
    case ChannelState::output:
        return wireOutput;
    default:
        return wireUnknown;
    }
}

} // namespace ChannelStateCode
