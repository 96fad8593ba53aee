#pragma once

#include <cstddef>
#include <cstdint>

// Writes big-endian fields into a frame buffer, advancing a cursor. The caller sizes the
// buffer for the frame it builds; the writer never reallocates.
class ByteWriter {
public:
    ByteWriter(uint8_t* buffer, size_t capacity)
        : begin_(buffer), cursor_(buffer), end_(buffer + capacity) {}

    void put8(unsigned value) { *cursor_++ = static_cast<uint8_t>(value); }
    void put16(unsigned value) {
        put8(value >> 8);
        put8(value);
    }
    void putBytes(const uint8_t* bytes, size_t count);
    // The little-endian 16-bit form, used only by the RTU CRC field.
    void put16LowFirst(unsigned value) {
        put8(value);
        put8(value >> 8);
    }

    size_t size() const { return static_cast<size_t>(cursor_ - begin_); }
    size_t room() const { return static_cast<size_t>(end_ - cursor_); }
    uint8_t* data() const { return begin_; }

private:
    uint8_t* begin_;
    uint8_t* cursor_;
    uint8_t* end_;
};
