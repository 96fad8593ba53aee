#pragma once

#include <cstdint>

// The unit's wire codes for channel states differ from the stored codes: an output is 0x0080.
namespace ChannelStateCode {
constexpr uint16_t wireVacant = 0x0000;
constexpr uint16_t wireInput = 0x0001;
constexpr uint16_t wireOutput = 0x0080;

// Any wire value other than the three codes decodes to ChannelState::invalid.
int16_t decode(uint16_t wire);
// A stored code outside 0..2 encodes to 0xFFFF, which the unit does not accept as a state.
uint16_t encode(int16_t state);
} // namespace ChannelStateCode
