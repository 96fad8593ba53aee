#include "sim/SimFaultParser.h"

#include <charconv>
#include <string_view>

namespace {

// A whole decimal or 0x-prefixed hexadecimal number no larger than `max`.
bool parseNumber(std::string_view text, unsigned max, unsigned& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) {
        return false;
    }
    unsigned long parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, base);
    if (error != std::errc() || end != text.data() + text.size() || parsed > max) {
        return false;
    }
    value = static_cast<unsigned>(parsed);
    return true;
}

int fail(std::string& message, const std::string& text, const char* reason) {
    message = "bad fault \"" + text + "\": " + reason;
    return 1;
}

int applyException(std::string_view rule, const std::string& text, SimFaults& faults,
                   std::string& message) {
    const size_t equals = rule.find('=');
    if (equals == std::string_view::npos) {
        return fail(message, text, "expected exception:ADDRESS=CODE");
    }
    const std::string_view range = rule.substr(0, equals);
    const size_t dash = range.find('-');
    unsigned first = 0;
    unsigned last = 0;
    unsigned code = 0;
    if (!parseNumber(range.substr(0, dash), 0xFFFF, first) ||
        (dash != std::string_view::npos && !parseNumber(range.substr(dash + 1), 0xFFFF, last))) {
        return fail(message, text, "the address must be a number from 0 to 0xFFFF");
    }
    if (dash == std::string_view::npos) {
        last = first;
    }
    if (first > last) {
        return fail(message, text, "the first address of a range must not be above the last");
    }
    if (!parseNumber(rule.substr(equals + 1), 0xFF, code) || code == 0) {
        return fail(message, text, "the exception code must be a number from 1 to 255");
    }
    faults.addException(static_cast<uint16_t>(first), static_cast<uint16_t>(last),
                        static_cast<uint8_t>(code));
    return 0;
}

} // namespace

int SimFaultParser::apply(const std::string& text, SimFaults& faults, std::string& message) {
    const std::string_view view(text);
    constexpr std::string_view exceptionPrefix = "exception:";
    constexpr std::string_view delayPrefix = "delay=";
    if (view.starts_with(exceptionPrefix)) {
        return applyException(view.substr(exceptionPrefix.size()), text, faults, message);
    }
    if (view.starts_with(delayPrefix)) {
        unsigned delay = 0;
        if (!parseNumber(view.substr(delayPrefix.size()), SimFaults::maxDelayMs, delay)) {
            return fail(message, text, "the delay must be a number of milliseconds up to 60000");
        }
        faults.setDelayMs(static_cast<int>(delay));
        return 0;
    }
    if (view == "silent") {
        faults.setSilent(true);
    } else if (view == "close") {
        faults.setCloseConnection(true);
    } else if (view == "bad-crc") {
        faults.setBadCrc(true);
    } else if (view == "wrong-slave") {
        faults.setWrongSlave(true);
    } else if (view == "wrong-function") {
        faults.setWrongFunction(true);
    } else if (view == "trailing-garbage") {
        faults.setTrailingGarbage(true);
    } else {
        return fail(message, text, "unknown fault (see --help)");
    }
    return 0;
}

int SimFaultParser::applyList(const std::string& text, SimFaults& faults, std::string& message) {
    if (text == "none") {
        return 0;
    }
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        if (apply(text.substr(start, comma - start), faults, message) != 0) {
            return 1;
        }
        if (comma == std::string::npos) {
            return 0;
        }
        start = comma + 1;
    }
}

const char* SimFaultParser::syntaxHelp() {
    return "Faults (--fault, repeatable; numbers decimal or 0x hexadecimal):\n"
           "  exception:ADDR=CODE        answer exception CODE to requests touching ADDR\n"
           "  exception:FIRST-LAST=CODE  ... touching any address FIRST..LAST\n"
           "  delay=MS                   reply MS milliseconds late (at most 60000)\n"
           "  silent                     read requests, never reply\n"
           "  close                      TCP: close the connection on a request\n"
           "                             (RTU: same as silent)\n"
           "  bad-crc                    RTU: corrupt the CRC of every reply\n"
           "  wrong-slave                reply from another slave address / unit id\n"
           "  wrong-function             reply with another function code\n"
           "  trailing-garbage           send three extra bytes after every reply\n";
}
