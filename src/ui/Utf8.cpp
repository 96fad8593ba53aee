#include "ui/Utf8.h"

#include <cstdint>

namespace {
constexpr char32_t highestCodePoint = 0x10FFFF;
constexpr char32_t surrogateFirst = 0xD800;
constexpr char32_t surrogateLast = 0xDFFF;
} // namespace

namespace Utf8 {

void append(std::string& text, char32_t c) {
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

bool next(std::string_view text, size_t& offset, char32_t& character) {
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

} // namespace Utf8
