#pragma once

#include <cstdint>

// An image entry with the flag that says whether it holds data read from (or written to) the
// unit since the last refresh began. A cleared flag means the entry is stale: it must be
// neither shown nor used as a current value.
template <typename T>
struct Flagged {
    T value{};
    int32_t valid = 0;

    const T* get() const { return valid ? &value : nullptr; }
    void set(const T& newValue) {
        value = newValue;
        valid = 1;
    }

    bool operator==(const Flagged&) const = default;
};
