#pragma once

#include <cstdint>
#include <span>
#include <string>

// Text on the unit is one ASCII character per register, in the low byte (the high byte carries
// nothing); a field of 16 registers holds up to 16 characters and ends early at a NUL.
namespace TextField {
constexpr int registers = 16;

std::string decode(std::span<const uint16_t, registers> field);
} // namespace TextField
