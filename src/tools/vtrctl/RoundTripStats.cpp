#include "tools/vtrctl/RoundTripStats.h"

#include <algorithm>
#include <numeric>

namespace {
// Reserving for an absurd --count must not exhaust memory; past this the vector grows as needed.
constexpr int64_t largestReservation = 1 << 20;
} // namespace

void RoundTripStats::reserve(int64_t transactions) {
    times_.reserve(static_cast<size_t>(std::clamp<int64_t>(transactions, 0, largestReservation)));
}

void RoundTripStats::record(bool succeeded, int64_t microseconds) {
    ++transactions_;
    if (succeeded) {
        times_.push_back(microseconds);
    } else {
        ++failures_;
    }
}

void RoundTripStats::print(std::ostream& out) {
    out << "transactions " << transactions_ << '\n' << "failures " << failures_ << '\n';
    if (times_.empty()) {
        out << "min -\nmedian -\nmean -\nmax -\n";
        return;
    }
    std::sort(times_.begin(), times_.end());
    const size_t middle = times_.size() / 2;
    const int64_t median =
        times_.size() % 2 != 0 ? times_[middle] : (times_[middle - 1] + times_[middle]) / 2;
    const int64_t total = std::accumulate(times_.begin(), times_.end(), int64_t{0});
    const auto count = static_cast<int64_t>(times_.size());
    out << "min " << times_.front() << '\n'
        << "median " << median << '\n'
        << "mean " << (total + count / 2) / count << '\n'
        << "max " << times_.back() << '\n';
}
