#pragma once

#include "modbus/TransactionObserver.h"

#include <cstdint>
#include <vector>

// One Modbus transaction with the unit as the traffic log keeps it: raw, so that recording
// costs little; its meaning is worked out only when someone looks (TrafficEntryText).
struct TrafficEntry {
    // 1 for the first transaction the log heard, counting on even when old entries are dropped.
    uint64_t sequence = 0;
    int slave = 0;
    int function = 0;
    uint16_t address = 0;   // wire address
    int count = 0;          // registers or coils
    int result = 0;         // the master's error code
    int64_t startTicks = 0; // 100-ns units since the Unix epoch, UTC
    int64_t roundTripUs = 0;
    // Request and reply data after the function code; the reply is empty when none came.
    std::vector<uint8_t> request;
    std::vector<uint8_t> reply;

    // Takes over a transaction the master reports, reusing the buffers it already has.
    void assign(uint64_t number, const ObservedTransaction& transaction);
};
