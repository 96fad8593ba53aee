#pragma once

#include <cstddef>
#include <cstdint>

// The Modbus TCP frame: the MBAP header (transaction identifier, protocol identifier, length,
// unit identifier) followed by the function code and the function's data. All multi-byte
// fields are big-endian. The transport builds requests and reads the header fields of replies
// here only; the function data itself is the master core's business.
class MbapFrame {
public:
    static constexpr size_t transactionIdOffset = 0;
    static constexpr size_t protocolIdOffset = 2;
    static constexpr size_t lengthOffset = 4;
    static constexpr size_t unitIdOffset = 6;
    static constexpr size_t functionCodeOffset = 7;
    static constexpr size_t dataOffset = 8;
    // An exception reply carries one data byte, the exception code.
    static constexpr size_t exceptionCodeOffset = dataOffset;

    // Header and function code; the length field counts from the unit identifier on.
    static constexpr size_t headerSize = dataOffset;
    static constexpr size_t lengthFieldBase = dataOffset - unitIdOffset;
    static constexpr size_t exceptionFrameSize = exceptionCodeOffset + 1;
    static constexpr size_t maxFrameSize = 268;
    static constexpr size_t maxDataSize = maxFrameSize - headerSize;

    // The header fields of a reply that the master examines.
    struct ReplyHeader {
        unsigned unitId;
        unsigned functionCode; // with the exception flag cleared
        bool isException;
        unsigned exceptionCode; // meaningful only for an exception reply
    };

    // Writes a request frame into `frame` (at least headerSize + dataLength bytes, dataLength
    // at most maxDataSize) and returns its size. The transaction identifier is always 0.
    static size_t buildRequest(uint8_t* frame, unsigned unitId, unsigned functionCode,
                               const uint8_t* data, size_t dataLength);

    // Reads the header of a reply of which `size` bytes have arrived; fields beyond them read
    // as 0.
    static ReplyHeader parseReply(const uint8_t* frame, size_t size);
};
