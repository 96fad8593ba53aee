#include "sim/SimRequestLog.h"

void SimRequestLog::add(SimRequestLogEntry entry) {
    std::lock_guard lock(mutex_);
    if (entries_.size() == capacity) {
        entries_.pop_front();
    }
    entries_.push_back(std::move(entry));
}

std::vector<SimRequestLogEntry> SimRequestLog::entries() const {
    std::lock_guard lock(mutex_);
    return {entries_.begin(), entries_.end()};
}

void SimRequestLog::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}
