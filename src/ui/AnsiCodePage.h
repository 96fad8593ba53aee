#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The ANSI code page of document files: Windows-1252, the code page of the desktops that wrote
// the first documents. Archives store narrow strings in it; the program holds text as UTF-8.
namespace AnsiCodePage {

// Every byte has a character: the five bytes that Windows-1252 leaves undefined become the C1
// control characters of the same number, so that any file survives a read and a write.
std::string toUtf8(std::string_view bytes);

// Fails on text that is not UTF-8 or holds a character Windows-1252 cannot store; `badOffset`
// is then the offset of the first such character in `utf8`.
bool fromUtf8(std::string_view utf8, std::string& bytes, size_t& badOffset);

} // namespace AnsiCodePage
