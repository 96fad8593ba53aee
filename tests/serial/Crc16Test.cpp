#include "modbus/Crc16.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct CrcCase {
    const char* name;
    std::vector<uint8_t> bytes;
    uint16_t crc;
};

} // namespace

TEST(Crc16, MatchesPublishedModbusCheckValues) {
    const CrcCase cases[] = {
        {"ASCII digits one to nine", {'1', '2', '3', '4', '5', '6', '7', '8', '9'}, 0x4B37},
        //  slave function address    count       -> sent as C5 CD
        {"read ten holding registers", {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A}, 0xCDC5},
        //  slave function address    count       -> sent as 76 87
        {"read three holding registers of slave 17", {0x11, 0x03, 0x00, 0x6B, 0x00, 0x03}, 0x8776},
        //  slave function address    count       -> sent as F4 F6
        {"read 80 input registers from 0x1000", {0x01, 0x04, 0x10, 0x00, 0x00, 0x50}, 0xF6F4},
        {"nothing at all leaves the initial value", {}, 0xFFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Crc16::compute(c.bytes.data(), c.bytes.size()), c.crc) << c.name;
    }
}

TEST(Crc16, FrameWithItsOwnCrcAppendedLowByteFirstChecksToZero) {
    std::vector<uint8_t> frame{0x01, 0x84, 0x02};
    const uint16_t crc = Crc16::compute(frame.data(), frame.size());
    frame.push_back(static_cast<uint8_t>(crc));
    frame.push_back(static_cast<uint8_t>(crc >> 8));
    EXPECT_EQ(Crc16::compute(frame.data(), frame.size()), 0x0000);
}
