#pragma once

#include "modbus/Crc16.h"
#include "support/RegisterReply.h"

#include <cstdint>
#include <vector>

// Reply frames for the RTU tests, built field by field; the CRC is appended low byte first.
namespace RtuTestFrames {

inline Bytes withCrc(Bytes frame) {
    const uint16_t crc = Crc16::compute(frame.data(), frame.size());
    frame.push_back(static_cast<uint8_t>(crc));
    frame.push_back(static_cast<uint8_t>(crc >> 8));
    return frame;
}

// slave, function 04, byte count, `count` registers valued first, first + 1, ...
inline Bytes registerReply(uint8_t slave, int count, uint16_t first) {
    Bytes frame{slave, 0x04};
    const Bytes data = ::registerReply(count, first);
    frame.insert(frame.end(), data.begin(), data.end());
    return withCrc(frame);
}

// The request of readInputRegisters(1, 4097, values, 80).
//                               slave function address     count       CRC
inline const Bytes readOf80Request{0x01, 0x04, 0x10, 0x00, 0x00, 0x50, 0xF4, 0xF6};

} // namespace RtuTestFrames
