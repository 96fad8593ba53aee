#pragma once

#include "device/ScanParameters.h"

#include <string>

// The scan list as the user types it: channel IDs parted by commas or semicolons, each in the
// decimal or "0x" form of an 8-bit field, and shown as the IDs joined by ", ".
namespace ScanListText {

struct Result {
    enum Kind { Accepted, InvalidEntry, TooMany };
    Kind kind = Accepted;
    int position = 0; // of the rejected entry, counted from 0
};

// Parses `text` into the list of `record` (scanList and scanListLength). The record changes
// only when the whole text is accepted.
Result parse(const std::string& text, ScanParameters& record);

// The first scanListLength entries, joined by ", ".
std::string format(const ScanParameters& record, bool hexDisplay);

// The "Data Error" text for a rejected list.
std::string message(const Result& result);

inline constexpr const char* tooManyMessage =
    "Too many Channel IDs in Scan List\n\nMaximum number of Channel IDs in Scan List is 64";

} // namespace ScanListText
