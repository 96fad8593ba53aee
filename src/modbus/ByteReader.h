#pragma once

#include <cstddef>
#include <cstdint>

// Reads big-endian fields from received bytes at named offsets. Every accessor is bounds
// checked against the number of bytes actually received; a read past the end yields 0 so a
// short frame can never be read beyond its buffer.
class ByteReader {
public:
    ByteReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    unsigned u8(size_t offset) const { return offset < size_ ? bytes_[offset] : 0u; }
    unsigned u16(size_t offset) const { return (u8(offset) << 8) | u8(offset + 1); }
    unsigned u16LowFirst(size_t offset) const { return u8(offset) | (u8(offset + 1) << 8); }
    size_t size() const { return size_; }
    const uint8_t* data() const { return bytes_; }

private:
    const uint8_t* bytes_;
    size_t size_;
};
