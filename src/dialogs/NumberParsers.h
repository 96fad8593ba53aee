#pragma once

#include <cstdint>
#include <string>

// Parsers for the number fields of the configuration dialogs, the connect options and the
// output editor. A field holds decimal text or lower-case "0x" followed by hexadecimal digits;
// the text is judged exactly as typed (blanks count toward its length). On success the value
// is stored and ParseOk returned; otherwise nothing is stored.

constexpr int ParseOk = 0;
constexpr int ParseEmpty = -1;
constexpr int ParseTooLong = -2;
constexpr int ParseNotNumber = -3;
constexpr int ParseOutOfRange = -4;

// Decimal 0..65535 (at most 5 characters) or "0x" and up to 4 hex digits (at most 6).
int ParseUInt16(const std::string& text, uint16_t& value);
// Decimal -32768..32767 (at most 6 characters) or "0x" and up to 4 hex digits giving the
// 16-bit pattern, so 0xFFFF is -1 (at most 6).
int ParseInt16(const std::string& text, int16_t& value);
// Decimal 0..255 (at most 3 characters) or "0x" and up to 2 hex digits (at most 4).
int ParseUInt8(const std::string& text, uint8_t& value);
