#include "dialogs/NumberParsers.h"

#include <cctype>
#include <cstddef>

namespace {

constexpr size_t hexPrefixLength = 2;

// What one parser accepts: the longest text of each form and the decimal range.
struct NumberForm {
    size_t maxHexText;
    size_t maxDecimalText;
    long minDecimal;
    long maxDecimal;
};

constexpr NumberForm uint16Form{6, 5, 0, 65535};
constexpr NumberForm int16Form{6, 6, -32768, 32767};
constexpr NumberForm uint8Form{4, 3, 0, 255};

bool isHexText(const std::string& text) {
    return text.size() >= hexPrefixLength && text[0] == '0' && text[1] == 'x';
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the hexadecimal digits after the prefix up to the first other character. The text
// length was checked before, so the value fits in 16 bits.
int parseHex(const std::string& text, long& value) {
    long result = 0;
    size_t i = hexPrefixLength;
    for (; i < text.size() && hexDigitValue(text[i]) >= 0; ++i) {
        result = result * 16 + hexDigitValue(text[i]);
    }
    if (i == hexPrefixLength) {
        return ParseNotNumber;
    }
    value = result;
    return ParseOk;
}

// Leading blanks, an optional sign, then the digits up to the first other character. The text
// length was checked before, so the value cannot overflow.
int parseDecimal(const std::string& text, long& value) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t firstDigit = i;
    long result = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        result = result * 10 + (text[i] - '0');
    }
    if (i == firstDigit) {
        return ParseNotNumber;
    }
    value = negative ? -result : result;
    return ParseOk;
}

// Parses by the form's rules; on success `bits` holds the hexadecimal digits' pattern or the
// decimal value.
int parseNumber(const std::string& text, const NumberForm& form, long& bits) {
    if (text.empty()) {
        return ParseEmpty;
    }
    if (isHexText(text)) {
        if (text.size() > form.maxHexText) {
            return ParseTooLong;
        }
        return parseHex(text, bits);
    }
    if (text.size() > form.maxDecimalText) {
        return ParseTooLong;
    }
    long decimal = 0;
    const int result = parseDecimal(text, decimal);
    if (result != ParseOk) {
        return result;
    }
    if (decimal < form.minDecimal || decimal > form.maxDecimal) {
        return ParseOutOfRange;
    }
    bits = decimal;
    return ParseOk;
}

} // namespace

int ParseUInt16(const std::string& text, uint16_t& value) {
    long bits = 0;
    const int result = parseNumber(text, uint16Form, bits);
    if (result == ParseOk) {
        value = static_cast<uint16_t>(bits);
    }
    return result;
}

int ParseInt16(const std::string& text, int16_t& value) {
    long bits = 0;
    const int result = parseNumber(text, int16Form, bits);
    if (result == ParseOk) {
        value = static_cast<int16_t>(static_cast<uint16_t>(bits & 0xFFFF));
    }
    return result;
}

int ParseUInt8(const std::string& text, uint8_t& value) {
    long bits = 0;
    const int result = parseNumber(text, uint8Form, bits);
    if (result == ParseOk) {
        value = static_cast<uint8_t>(bits & 0xFF);
    }
    return result;
}
