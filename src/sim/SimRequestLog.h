#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// One request as the unit decoded it.
struct SimRequestLogEntry {
    uint8_t slave = 0;
    uint8_t function = 0;
    uint16_t address = 0;
    uint16_t count = 0;
    std::string label; // the block the first address lies in, or "unmapped"
};

// The requests served, oldest first. Bounded so that a simulator left running for days does
// not grow without limit; tests read it to prove what was (or was not) asked.
class SimRequestLog {
public:
    static constexpr size_t capacity = 100000;

    void add(SimRequestLogEntry entry);
    std::vector<SimRequestLogEntry> entries() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::deque<SimRequestLogEntry> entries_;
};
