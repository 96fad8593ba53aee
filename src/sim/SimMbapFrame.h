#pragma once

#include <cstddef>
#include <cstdint>

// The Modbus TCP frame as the unit receives and sends it: a seven-byte MBAP header
// (transaction, protocol, length, unit identifier), then the PDU. The length field counts the
// unit identifier and the PDU.
class SimMbapFrame {
public:
    static constexpr size_t transactionOffset = 0;
    static constexpr size_t protocolOffset = 2;
    static constexpr size_t lengthOffset = 4;
    static constexpr size_t unitOffset = 6;
    static constexpr size_t headerSize = 7;
    static constexpr size_t pduOffset = headerSize;

    static constexpr unsigned modbusProtocol = 0;
    static constexpr unsigned minLength = 2;   // unit identifier and function code
    static constexpr unsigned maxLength = 254; // unit identifier and the longest PDU
    static constexpr size_t maxSize = lengthOffset + 2 + maxLength;

    struct Header {
        uint16_t transaction = 0;
        uint16_t protocol = 0;
        uint16_t length = 0;
        uint8_t unit = 0;
    };

    // `bytes` holds at least headerSize bytes.
    static Header parseHeader(const uint8_t* bytes);
    static bool lengthValid(const Header& header);
    // The whole frame's size as the header announces it (valid length assumed).
    static size_t frameSize(const Header& header);

    enum class Scan { Incomplete, Complete, OutOfStep };
    // Looks at the bytes received so far: Complete with `size` set when a whole frame starts
    // them, OutOfStep when the header announces a length no Modbus frame has.
    static Scan scan(const uint8_t* bytes, size_t available, size_t& size);

    // Builds the reply to `request`: same transaction and protocol, `unit`, the PDU. `out` has
    // room for maxSize bytes. Returns the frame's size.
    static size_t build(const Header& request, uint8_t unit, const uint8_t* pdu, size_t pduSize,
                        uint8_t* out);
};
