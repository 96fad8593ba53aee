#include "device/DocumentText.h"

#include <array>

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;
constexpr char32_t highestCodePoint = 0x10FFFF;
constexpr char32_t surrogateFirst = 0xD800;
constexpr char32_t lowSurrogateFirst = 0xDC00;
constexpr char32_t surrogateLast = 0xDFFF;

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

void appendUtf8(std::string& text, char32_t c) {
    auto put = [&text](unsigned value) { text.push_back(static_cast<char>(value)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

// Decodes the character at `offset` and advances past it; returns false on malformed UTF-8
// (bad sequence, overlong form, surrogate, beyond U+10FFFF).
bool nextUtf8(std::string_view text, size_t& offset, char32_t& character) {
    const auto lead = static_cast<uint8_t>(text[offset]);
    size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        character = lead;
        ++offset;
        return true;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        least = 0x80;
        character = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        least = 0x800;
        character = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        least = 0x10000;
        character = lead & 0x07;
    } else {
        return false;
    }
    if (text.size() - offset < length) {
        return false;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(text[offset + i]);
        if ((next & 0xC0) != 0x80) {
            return false;
        }
        character = (character << 6) | (next & 0x3F);
    }
    offset += length;
    return character >= least && character <= highestCodePoint &&
           (character < surrogateFirst || character > surrogateLast);
}

} // namespace

namespace DocumentText {

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        appendUtf8(text, windows1252Character(static_cast<uint8_t>(byte)));
    }
    return text;
}

bool utf8ToWindows1252(std::string_view utf8, std::string& bytes, size_t& badOffset) {
    bytes.clear();
    bytes.reserve(utf8.size());
    size_t offset = 0;
    while (offset < utf8.size()) {
        const size_t start = offset;
        char32_t character = 0;
        const int byte = nextUtf8(utf8, offset, character) ? windows1252Byte(character) : -1;
        if (byte < 0) {
            badOffset = start;
            return false;
        }
        bytes.push_back(static_cast<char>(byte));
    }
    return true;
}

std::string utf16LeToUtf8(std::span<const uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size());
    const size_t units = bytes.size() / 2;
    auto unit = [&bytes](size_t i) {
        return char32_t{bytes[2 * i]} | char32_t{bytes[2 * i + 1]} << 8;
    };
    for (size_t i = 0; i < units; ++i) {
        const char32_t first = unit(i);
        if (first < surrogateFirst || first > surrogateLast) {
            appendUtf8(text, first);
            continue;
        }
        const char32_t second = i + 1 < units ? unit(i + 1) : 0;
        const bool pair =
            first < lowSurrogateFirst && second >= lowSurrogateFirst && second <= surrogateLast;
        if (pair) {
            appendUtf8(text,
                       0x10000 + ((first - surrogateFirst) << 10) + (second - lowSurrogateFirst));
            ++i;
        } else {
            appendUtf8(text, replacementCharacter);
        }
    }
    return text;
}

} // namespace DocumentText
