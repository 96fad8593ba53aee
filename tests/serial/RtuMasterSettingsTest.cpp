#include "modbus/MbusError.h"
#include "modbus/MbusRtuMasterProtocol.h"

#include <gtest/gtest.h>

TEST(RtuCharTimeout, IsFourElevenBitCharactersRoundedUpFromHalfAMillisecond) {
    const struct {
        int baud;
        int ms;
    } cases[] = {{1200, 37}, {2400, 19}, {4800, 10},  {9600, 5},  {19200, 3},
                 {38400, 2}, {57600, 1}, {115200, 1}, {300, 147}, {921600, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(MbusRtuMasterProtocol::charTimeoutFor(c.baud), c.ms) << c.baud;
        // Set before anything else is checked, so even a failed open leaves it.
        MbusRtuMasterProtocol master;
        EXPECT_EQ(master.openPort("/dev/no-such-serial-port", c.baud), MBUS_OPEN_ERROR);
        EXPECT_EQ(master.getCharTimeout(), c.ms) << c.baud;
    }
}

TEST(RtuMasterOpen, SevenDataBitsAreRefusedWithoutTouchingThePort) {
    MbusRtuMasterProtocol master;
    // Touching this path would give an open error instead.
    EXPECT_EQ(master.openPort("/dev/no-such-serial-port", 9600, 7, 1, 2), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(master.isLinkOpen(), 0);
    EXPECT_EQ(master.getCharTimeout(), 5);
}
