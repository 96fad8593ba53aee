#include "dialogs/DisplayNumber.h"

#include <cstdio>

namespace {

std::string format(const char* pattern, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

std::string DisplayUInt8(uint8_t value, bool hexDisplay) {
    return format(hexDisplay ? "0x%02X" : "%u", value);
}

std::string DisplayUInt16(uint16_t value, bool hexDisplay) {
    return format(hexDisplay ? "0x%04X" : "%u", value);
}

std::string DisplayInt16(int16_t value, bool hexDisplay) {
    if (hexDisplay) {
        return format("0x%04X", static_cast<uint16_t>(value));
    }
    return std::to_string(value);
}

std::string DisplayInt16Short(int16_t value, bool hexDisplay) {
    if (hexDisplay) {
        return format("0x%X", static_cast<uint16_t>(value));
    }
    return std::to_string(value);
}
