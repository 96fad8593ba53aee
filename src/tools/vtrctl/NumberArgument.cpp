#include "tools/vtrctl/NumberArgument.h"

#include <charconv>
#include <limits>

namespace NumberArgument {

bool parse(std::string_view text, int64_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative || (!text.empty() && text.front() == '+')) {
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty() || text.front() == '+' || text.front() == '-') {
        return false;
    }
    uint64_t magnitude = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, magnitude, base);
    if (error != std::errc() || stop != end) {
        return false;
    }
    constexpr uint64_t largest = std::numeric_limits<int64_t>::max();
    if (negative) {
        if (magnitude > largest + 1) {
            return false;
        }
        value = magnitude == largest + 1 ? std::numeric_limits<int64_t>::min()
                                         : -static_cast<int64_t>(magnitude);
        return true;
    }
    if (magnitude > largest) {
        return false;
    }
    value = static_cast<int64_t>(magnitude);
    return true;
}

int saturateToInt(int64_t value) {
    constexpr int64_t low = std::numeric_limits<int>::min();
    constexpr int64_t high = std::numeric_limits<int>::max();
    return static_cast<int>(value < low ? low : (value > high ? high : value));
}

} // namespace NumberArgument
