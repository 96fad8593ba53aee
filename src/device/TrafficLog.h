#pragma once

#include "device/TrafficEntry.h"
#include "modbus/TransactionObserver.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// The last transactions with the unit, oldest dropped first. A master reports to it from
// whichever thread runs the transaction, while a window reads it from the user-interface
// thread: both hold the lock only to copy an entry in or out. Once the log is full, recording
// reuses the dropped entry's buffers and allocates nothing.
class TrafficLog final : public TransactionObserver {
public:
    static constexpr size_t defaultCapacity = 10000;

    explicit TrafficLog(size_t capacity = defaultCapacity);

    void transactionDone(const ObservedTransaction& transaction) override;

    // Copies of the entries recorded after the one numbered `sequence` that are still kept,
    // oldest first (0: all of them).
    std::vector<TrafficEntry> entriesAfter(uint64_t sequence) const;
    // The number of the newest entry, 0 before the first.
    uint64_t lastSequence() const;
    size_t capacity() const { return capacity_; }

private:
    size_t capacity_;
    mutable std::mutex mutex_;
    std::vector<TrafficEntry> ring_;
    uint64_t last_ = 0;
};
