#pragma once

#include <cstdint>
#include <string>

// Numbers as the dialogs show them: decimal, or, with the hexadecimal display setting on,
// "0x" and upper-case digits of the value's full width (an 8-bit value two digits, a 16-bit
// value four, a signed value its 16-bit pattern).
std::string DisplayUInt8(uint8_t value, bool hexDisplay);
std::string DisplayUInt16(uint16_t value, bool hexDisplay);
std::string DisplayInt16(int16_t value, bool hexDisplay);
// "0x" and the upper-case digits of the 16-bit pattern without leading zeros (0x5, 0xFFFB),
// or signed decimal: the form of the panel dialogs' default outputs.
std::string DisplayInt16Short(int16_t value, bool hexDisplay);
