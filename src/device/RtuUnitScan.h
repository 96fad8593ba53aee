#pragma once

#include "device/FoundUnit.h"

#include <string>
#include <vector>

class ScanListener;

// Searches a serial line for units: for each line setting, most likely first, it asks every
// slave address for one register of the identity block, with a time-out that follows from
// the baud rate (the wire time of request and reply plus a margin) rather than a fixed second.
// A slave that answers is asked for its whole identity.
class RtuUnitScan {
public:
    // What the unit answers within after a request has reached it, on top of the wire time.
    static constexpr int replyMarginMs = 40;

    struct Plan {
        std::string device; // a device path or COM<n>
        std::vector<int> baudRates = likelyBaudRates();
        std::vector<int> parities = likelyParities();
        std::vector<int> slaves = likelySlaves(1, 247);
        bool all = false; // else stop at the first unit that gives its identity
    };

    // The unit's default 19200 first, then the rates in use most, then the slow ones.
    static std::vector<int> likelyBaudRates();
    // The unit's default even parity first, then none and odd.
    static std::vector<int> likelyParities();
    // first..last, with the unit's default address 31 first when it lies between them.
    static std::vector<int> likelySlaves(int first, int last);

    // FIRST[-LAST] within 1..247, decimal or 0x-hexadecimal, as likelySlaves orders them;
    // false for any other text.
    static bool parseSlaves(const std::string& text, std::vector<int>& slaves);

    // Time-out of a read of `registers` input registers at `baudRate`.
    static int probeTimeoutMs(int baudRate, int registers);

    // Runs the search; every unit found is passed to the listener and added to `found`.
    // Returns 0, or the error of opening the port (the search then ends).
    static int run(const Plan& plan, ScanListener& listener, std::vector<FoundUnit>& found);
};
