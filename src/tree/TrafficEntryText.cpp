#include "tree/TrafficEntryText.h"

#include "modbus/Clock.h"
#include "modbus/MbusError.h"
#include "modbus/ModbusFunction.h"
#include "tree/FormatText.h"
#include "tree/TrafficMeaning.h"

#include <ctime>
#include <vector>

namespace TrafficEntryText {

namespace {

constexpr int64_t ticksPerSecond = 1000 * Clock::ticksPerMs;

bool isRead(int function) {
    return function == ModbusFunction::readCoils || function == ModbusFunction::readInputRegisters;
}

std::string localTime(int64_t ticks) {
    const auto seconds = static_cast<std::time_t>(ticks / ticksPerSecond);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    std::string text;
    FormatText(text, "%02d:%02d:%02d.%03d", parts.tm_hour, parts.tm_min, parts.tm_sec,
               static_cast<int>(ticks % ticksPerSecond / Clock::ticksPerMs));
    return text;
}

std::string addressRange(const TrafficEntry& entry) {
    std::string text;
    if (entry.count > 1) {
        FormatText(text, "0x%04X-0x%04X", unsigned{entry.address},
                   static_cast<unsigned>(entry.address + entry.count - 1));
    } else {
        FormatText(text, "0x%04X", unsigned{entry.address});
    }
    return text;
}

// The protocol data unit: function code, then the data.
std::string hexBytes(int function, const std::vector<uint8_t>& data) {
    std::string text;
    FormatText(text, "%02X", static_cast<unsigned>(function));
    static constexpr char digits[] = "0123456789ABCDEF";
    for (const uint8_t byte : data) {
        text += ' ';
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

} // namespace

std::string summary(const TrafficEntry& entry, int hex) {
    std::string head;
    FormatText(head, "%s  %s  fn %d  %s  %d %s  %lld.%03lld ms",
               localTime(entry.startTicks).c_str(), isRead(entry.function) ? "read " : "write",
               entry.function, addressRange(entry).c_str(), entry.result, errorText(entry.result),
               static_cast<long long>(entry.roundTripUs / 1000),
               static_cast<long long>(entry.roundTripUs % 1000));
    const std::string meaning = TrafficMeaning::describe(entry, hex);
    return meaning.empty() ? head : head + "  " + meaning;
}

std::string full(const TrafficEntry& entry, int hex) {
    std::string text = summary(entry, hex);
    text += "\n  TX " + hexBytes(entry.function, entry.request);
    text += entry.reply.empty() ? "\n  RX -" : "\n  RX " + hexBytes(entry.function, entry.reply);
    return text + '\n';
}

} // namespace TrafficEntryText
