#pragma once

#include "device/TrafficEntry.h"

#include <string>

// A traffic log entry as text, numbers in the display mode (nonzero hex: hexadecimal).
//   summary: "14:03:07.125  read  fn 4  0x1000-0x104F  0 Operation was successful  0.412 ms
//             Device Information: Manufacturer = Vantrel, ..." (one line)
//   full:    the summary, then the request and reply bytes in hex on lines of their own:
//            "  TX 04 10 00 00 50" and "  RX 04 A0 00 56 ..." ("RX -" when none came).
namespace TrafficEntryText {
std::string summary(const TrafficEntry& entry, int hex);
std::string full(const TrafficEntry& entry, int hex);
} // namespace TrafficEntryText
