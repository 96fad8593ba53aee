#pragma once

#include <cstddef>
#include <cstdint>

// The Modbus RTU frame as the unit receives and sends it: slave address, PDU, CRC-16 low byte
// first. A frame is at most 256 bytes.
class SimRtuFrame {
public:
    static constexpr size_t addressOffset = 0;
    static constexpr size_t pduOffset = 1;
    static constexpr size_t crcSize = 2;
    static constexpr size_t minSize = 4; // address, function code, CRC
    static constexpr size_t maxSize = 256;

    static constexpr size_t unknownSize = static_cast<size_t>(-1);

    // The size of the request that starts `bytes`, judged from its function code: 0 while too
    // few bytes are in to tell, unknownSize for a function the unit does not know (such a
    // frame ends at the next silence on the line).
    static size_t expectedRequestSize(const uint8_t* bytes, size_t available);

    static bool crcValid(const uint8_t* frame, size_t size);

    // Builds a frame around `pdu` into `out` (room for maxSize bytes); returns its size. A
    // corrupted CRC is used for fault injection.
    static size_t build(uint8_t slave, const uint8_t* pdu, size_t pduSize, bool corruptCrc,
                        uint8_t* out);
};
