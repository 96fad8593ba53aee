#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One Modbus RTU frame: slave address, function code, data, CRC-16 (low byte first). Requests
// are built here and replies checked here; the master only moves the bytes.
//
// A reply is read in two counted steps: first replyHeadSize bytes, which hold a whole exception
// reply, then, for a normal reply, the rest that the request implies. The reply's own byte
// count is never trusted for that.
class RtuFrame {
public:
    static constexpr size_t capacity = 256;
    static constexpr size_t slaveOffset = 0;
    static constexpr size_t functionOffset = 1;
    static constexpr size_t dataOffset = 2;
    static constexpr size_t crcSize = 2;
    // Address, function code and CRC around the data.
    static constexpr size_t overhead = dataOffset + crcSize;
    static constexpr int maxDataLength = static_cast<int>(capacity - overhead);
    // Slave, function code with bit 7 set, exception code, CRC.
    static constexpr size_t exceptionFrameSize = dataOffset + 1 + crcSize;
    static constexpr size_t replyHeadSize = exceptionFrameSize;

    // Builds a request frame; MBUS_ILLEGAL_ARGUMENT when the data does not fit.
    int buildRequest(int slave, int functionCode, const uint8_t* data, int dataLength);

    // Length of the whole reply once its head is in: the exception frame, or the normal reply
    // that carries replyDataLength data bytes. 0 when that does not fit the buffer.
    size_t replySize(int replyDataLength) const;

    // Checks the `received` bytes of a reply to a request for slave and functionCode, in the
    // order CRC, function code and slave, exception; on success copies replyDataLength data
    // bytes to replyData. Returns an MBUS code.
    int checkReply(size_t received, int slave, int functionCode, uint8_t* replyData,
                   int replyDataLength) const;

    uint8_t* bytes() { return buffer_.data(); }
    const uint8_t* bytes() const { return buffer_.data(); }
    size_t size() const { return size_; }

private:
    bool isException() const;

    std::array<uint8_t, capacity> buffer_{};
    size_t size_ = 0;
};
