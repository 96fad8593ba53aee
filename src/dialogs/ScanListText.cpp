#include "dialogs/ScanListText.h"

#include "dialogs/DisplayNumber.h"
#include "dialogs/NumberParsers.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint8_t kHighestChannelId = 63;
// Channels 12 to 15 of the base unit do not exist: it has 12 channels.
constexpr uint8_t kFirstMissingBaseChannel = 12;
constexpr uint8_t kLastMissingBaseChannel = 15;

constexpr const char* kSeparators = ",;";
constexpr const char* kWhiteSpace = " \t\r\n";

std::string strip(const std::string& entry) {
    const size_t first = entry.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos) {
        return "";
    }
    return entry.substr(first, entry.find_last_not_of(kWhiteSpace) - first + 1);
}

bool isValidChannelId(uint8_t id) {
    return id <= kHighestChannelId &&
           (id < kFirstMissingBaseChannel || id > kLastMissingBaseChannel);
}

} // namespace

ScanListText::Result ScanListText::parse(const std::string& text, ScanParameters& record) {
    std::vector<uint8_t> ids;
    size_t start = 0;
    bool more = !text.empty();
    while (more) {
        const size_t separator = text.find_first_of(kSeparators, start);
        more = separator != std::string::npos;
        const std::string entry =
            strip(text.substr(start, more ? separator - start : std::string::npos));
        const int position = static_cast<int>(ids.size());
        uint8_t id = 0;
        if (ParseUInt8(entry, id) != ParseOk || !isValidChannelId(id)) {
            return {Result::InvalidEntry, position};
        }
        ids.push_back(id);
        // A separator after the 64th ID announces one more than the unit can hold.
        if (ids.size() == ScanParameters::maxEntries && more) {
            return {Result::TooMany, position};
        }
        start = separator + 1;
    }
    std::copy(ids.begin(), ids.end(), record.scanList.begin());
    record.scanListLength = static_cast<int32_t>(ids.size());
    if (ids.size() < ScanParameters::maxEntries) {
        record.scanList[ids.size()] = ScanParameters::endOfList;
    }
    return {};
}

std::string ScanListText::format(const ScanParameters& record, bool hexDisplay) {
    const int length = std::clamp<int32_t>(record.scanListLength, 0, ScanParameters::maxEntries);
    std::string text;
    for (int i = 0; i < length; ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += DisplayUInt8(record.scanList[i], hexDisplay);
    }
    return text;
}

std::string ScanListText::message(const Result& result) {
    if (result.kind == Result::TooMany) {
        return tooManyMessage;
    }
    return "Invalid Channel ID at position " + std::to_string(result.position) +
           " in Scan List\n\nChannel IDs greater than 63 (0x3F) and Channel IDs 12 to 15 (0x0C "
           "to 0x0F) are invalid";
}
