#include "sim/SimRequestDecoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct DecodeCase {
    const char* name;
    std::vector<uint8_t> pdu;
    uint8_t exception;
};

} // namespace

TEST(SimRequestDecoder, RefusesMalformedRequestsWithTheRightException) {
    const DecodeCase cases[] = {
        {"unsupported function 3", {0x03, 0x00, 0x00, 0x00, 0x01}, 1},
        {"unsupported function 0x2B", {0x2B, 0x0E, 0x01, 0x00}, 1},
        {"function code alone", {0x04}, 3},
        // fn 4, address 0x1200, count 0
        {"read of no registers", {0x04, 0x12, 0x00, 0x00, 0x00}, 3},
        // fn 4, address 0x0000, count 126
        {"read of 126 registers", {0x04, 0x00, 0x00, 0x00, 0x7E}, 3},
        // fn 1, address 0x0000, count 2001
        {"read of 2001 coils", {0x01, 0x00, 0x00, 0x07, 0xD1}, 3},
        // fn 4 with a stray sixth byte
        {"read with extra bytes", {0x04, 0x12, 0x00, 0x00, 0x01, 0x00}, 3},
        // fn 4, address 0xFFFF, count 2: runs off the address space
        {"read past 0xFFFF", {0x04, 0xFF, 0xFF, 0x00, 0x02}, 2},
        // fn 5, address 0x0008, value 0x1234 (only 0xFF00 and 0x0000 are coil values)
        {"single coil value neither on nor off", {0x05, 0x00, 0x08, 0x12, 0x34}, 3},
        // fn 16, address 0x1204, count 1, byte count 3, one value
        {"byte count not twice the count",
         {0x10, 0x12, 0x04, 0x00, 0x01, 0x03, 0x00, 0x01, 0x00},
         3},
        // fn 16, address 0x1204, count 2, byte count 4, only one value present
        {"fewer values than the byte count", {0x10, 0x12, 0x04, 0x00, 0x02, 0x04, 0x00, 0x01}, 3},
        // fn 16, address 0x1300, count 124, byte count 248: over the 123-register limit
        {"write of 124 registers", {0x10, 0x13, 0x00, 0x00, 0x7C, 0xF8}, 3},
        // fn 15, address 0x8100, count 16, byte count 1: 16 coils need 2 bytes
        {"coil byte count too small", {0x0F, 0x81, 0x00, 0x00, 0x10, 0x01, 0xFF}, 3},
        // fn 15 cut off before its byte count
        {"multiple write without byte count", {0x0F, 0x81, 0x00, 0x00, 0x10}, 3},
    };
    for (const DecodeCase& c : cases) {
        SimRequest request;
        EXPECT_EQ(SimRequestDecoder::decode(c.pdu.data(), c.pdu.size(), request), c.exception)
            << c.name;
    }
}

TEST(SimRequestDecoder, DecodesWriteValuesInWireOrder) {
    // fn 15, address 0x8110, 10 coils, 2 bytes: 0b00000101, 0b00000010 (coils 0, 2 and 9 on)
    const uint8_t coils[] = {0x0F, 0x81, 0x10, 0x00, 0x0A, 0x02, 0x05, 0x02};
    SimRequest request;
    ASSERT_EQ(SimRequestDecoder::decode(coils, sizeof coils, request), 0);
    EXPECT_EQ(request.address, 0x8110);
    EXPECT_EQ(request.count, 10);
    const uint8_t expected[] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(request.coils[i], expected[i]) << "coil " << i;
    }

    // fn 16, address 0x1100, 2 registers, 4 bytes: 0x0001, 0x0304
    const uint8_t registers[] = {0x10, 0x11, 0x00, 0x00, 0x02, 0x04, 0x00, 0x01, 0x03, 0x04};
    ASSERT_EQ(SimRequestDecoder::decode(registers, sizeof registers, request), 0);
    EXPECT_EQ(request.registers[0], 0x0001);
    EXPECT_EQ(request.registers[1], 0x0304);

    // fn 5, address 0x0008, value 0xFF00: coil on
    const uint8_t single[] = {0x05, 0x00, 0x08, 0xFF, 0x00};
    ASSERT_EQ(SimRequestDecoder::decode(single, sizeof single, request), 0);
    EXPECT_EQ(request.count, 1);
    EXPECT_EQ(request.coils[0], 1);
}
