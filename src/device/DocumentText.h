#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Text of the .vtr file and text in memory. The file stores `server` one byte per character in
// Windows-1252 (the ANSI code page of the desktops that wrote the first documents), or, in
// documents written by other tools, as UTF-16LE; the program holds every text as UTF-8.
namespace DocumentText {

// Every byte has a character: the five bytes that Windows-1252 leaves undefined become the C1
// control characters of the same number, so that any file survives a read and a write.
std::string windows1252ToUtf8(std::string_view bytes);

// Fails on text that is not UTF-8 or holds a character Windows-1252 cannot store; `badOffset`
// is then the offset of the first such character in `utf8`.
bool utf8ToWindows1252(std::string_view utf8, std::string& bytes, size_t& badOffset);

// UTF-16LE (two bytes per unit, an odd last byte ignored); a lone surrogate becomes U+FFFD.
std::string utf16LeToUtf8(std::span<const uint8_t> bytes);

} // namespace DocumentText
