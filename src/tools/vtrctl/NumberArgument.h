#pragma once

#include <cstdint>
#include <string_view>

// Numbers typed on the command line: decimal with an optional sign, or hexadecimal after "0x"
// (or "0X"). Parsed into a wide integer so that values outside what the master accepts still
// reach it and are answered by its own checks.
namespace NumberArgument {

// False for empty text, stray characters or a value beyond 64 bits.
bool parse(std::string_view text, int64_t& value);

// The nearest int: values beyond the int range stay beyond every limit the master checks.
int saturateToInt(int64_t value);

} // namespace NumberArgument
