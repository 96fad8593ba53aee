#include "device/TrafficLog.h"

#include <algorithm>

TrafficLog::TrafficLog(size_t capacity) : capacity_(std::max<size_t>(capacity, 1)) {}

void TrafficLog::transactionDone(const ObservedTransaction& transaction) {
    const std::lock_guard lock(mutex_);
    const uint64_t sequence = last_ + 1;
    if (ring_.size() < capacity_) {
        ring_.emplace_back();
    }
    ring_[(sequence - 1) % capacity_].assign(sequence, transaction);
    last_ = sequence;
}

std::vector<TrafficEntry> TrafficLog::entriesAfter(uint64_t sequence) const {
    const std::lock_guard lock(mutex_);
    const uint64_t oldestKept = last_ - ring_.size() + 1;
    std::vector<TrafficEntry> entries;
    for (uint64_t s = std::max(sequence + 1, oldestKept); s <= last_; ++s) {
        entries.push_back(ring_[(s - 1) % capacity_]);
    }
    return entries;
}

uint64_t TrafficLog::lastSequence() const {
    const std::lock_guard lock(mutex_);
    return last_;
}
