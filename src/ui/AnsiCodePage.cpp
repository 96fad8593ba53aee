#include "ui/AnsiCodePage.h"

#include "ui/Utf8.h"

#include <array>
#include <cstdint>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; every other byte is the Latin-1 character of its number.
// The undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to themselves.
constexpr uint8_t tableFirstByte = 0x80;
constexpr std::array<char32_t, 32> windows1252Table{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

char32_t windows1252Character(uint8_t byte) {
    const size_t index = static_cast<size_t>(byte - tableFirstByte);
    return index < windows1252Table.size() ? windows1252Table[index] : char32_t{byte};
}

// The byte of `character` in Windows-1252, or -1 when it has none.
int windows1252Byte(char32_t character) {
    for (size_t i = 0; i < windows1252Table.size(); ++i) {
        if (windows1252Table[i] == character) {
            return static_cast<int>(tableFirstByte + i);
        }
    }
    const bool latin1 = character <= 0xFF;
    const bool replacedByTable = character >= tableFirstByte && character < tableFirstByte + 32;
    return latin1 && !replacedByTable ? static_cast<int>(character) : -1;
}

} // namespace

namespace AnsiCodePage {

std::string toUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        Utf8::append(text, windows1252Character(static_cast<uint8_t>(byte)));
    }
    return text;
}

bool fromUtf8(std::string_view utf8, std::string& bytes, size_t& badOffset) {
    bytes.clear();
    bytes.reserve(utf8.size());
    size_t offset = 0;
    while (offset < utf8.size()) {
        const size_t start = offset;
        char32_t character = 0;
        const int byte = Utf8::next(utf8, offset, character) ? windows1252Byte(character) : -1;
        if (byte < 0) {
            badOffset = start;
            return false;
        }
        bytes.push_back(static_cast<char>(byte));
    }
    return true;
}

} // namespace AnsiCodePage
