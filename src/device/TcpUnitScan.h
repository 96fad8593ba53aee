#pragma once

#include "device/FoundUnit.h"

#include <cstdint>
#include <string>
#include <vector>

class ScanListener;

// Searches a range of IPv4 addresses for units: several connections at once, each followed by
// a read of the identity block from slave 1, as the program reads a unit over Modbus TCP.
class TcpUnitScan {
public:
    static constexpr uint32_t maxAddresses = 4096;
    static constexpr int defaultJobs = 32;
    static constexpr int maxJobs = 256;
    // Connect and reply time-out of each address: a unit on the local network answers well
    // within it, and an empty address costs no more.
    static constexpr int probeTimeoutMs = 500;

    struct Range {
        uint32_t first = 0; // host byte order
        uint32_t last = 0;
        uint16_t port = 502;
        uint32_t size() const { return last - first + 1; }
    };

    // ADDRESS[-LAST][:PORT]: LAST is a whole dotted address or the last octet alone
    // (192.168.1.10-40). At most maxAddresses; on a problem returns false with a description.
    static bool parseRange(const std::string& text, Range& range, std::string& problem);
    static std::string dotted(uint32_t address);

    // Runs the search with `jobs` connections at once; every unit found is passed to the
    // listener and added to `found`, which ends in address order.
    static void run(const Range& range, int jobs, ScanListener& listener,
                    std::vector<FoundUnit>& found);
};
