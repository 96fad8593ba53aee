#include "sim/SimCrc.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(SimCrc, MatchesTheModbusCheckValueAndAKnownRequest) {
    const char* digits = "123456789";
    EXPECT_EQ(SimCrc::compute(reinterpret_cast<const uint8_t*>(digits), std::strlen(digits)),
              0x4B37);
    // Slave 1, read input registers, address 0x1000, 80 registers: CRC F4 F6 on the wire.
    const uint8_t request[] = {0x01, 0x04, 0x10, 0x00, 0x00, 0x50};
    EXPECT_EQ(SimCrc::compute(request, sizeof request), 0xF6F4);
    EXPECT_EQ(SimCrc::compute(request, 0), 0xFFFF);
}
