#include "device/TextField.h"

namespace TextField {

std::string decode(std::span<const uint16_t, registers> field) {
    std::string text;
    for (const uint16_t word : field) {
        const char character = static_cast<char>(word & 0xFF);
        if (character == '\0') {
            break;
        }
        text.push_back(character);
    }
    return text;
}

} // namespace TextField
