#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

// Counts the transactions of a run and keeps the round-trip times of the successful ones.
class RoundTripStats {
public:
    // Room for the times of `transactions` operations, so that recording allocates nothing.
    void reserve(int64_t transactions);
    void record(bool succeeded, int64_t microseconds);

    // One "label value" line each: transactions, failures, then min, median, mean and max of the
    // round-trip times in microseconds ("-" when no transaction succeeded).
    void print(std::ostream& out);

private:
    int64_t transactions_ = 0;
    int64_t failures_ = 0;
    std::vector<int64_t> times_;
};
