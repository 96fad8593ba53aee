#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8, the encoding of all text in the program.
namespace Utf8 {

void append(std::string& text, char32_t character);

// Decodes the character at `offset` and advances past it; false on malformed UTF-8 (a bad
// sequence, an overlong form, a surrogate, beyond U+10FFFF).
bool next(std::string_view text, size_t& offset, char32_t& character);

} // namespace Utf8
