#include "sim/SimFaultParser.h"

#include <gtest/gtest.h>

TEST(SimFaultParser, SetsTheSwitchNamed) {
    SimFaults faults;
    std::string message;
    for (const char* text :
         {"exception:0x1110=4", "exception:0x2000-0x203F=0x02", "delay=300", "silent", "close",
          "bad-crc", "wrong-slave", "wrong-function", "trailing-garbage"}) {
        EXPECT_EQ(SimFaultParser::apply(text, faults, message), 0) << text << ": " << message;
    }
    const SimFaultSettings settings = faults.snapshot();
    ASSERT_EQ(settings.exceptions.size(), 2u);
    EXPECT_EQ(settings.exceptionFor(0x1110, 1), 4);
    EXPECT_EQ(settings.exceptionFor(0x1100, 4), 0);
    EXPECT_EQ(settings.exceptionFor(0x203F, 1), 2);
    EXPECT_EQ(settings.delayMs, 300);
    EXPECT_TRUE(settings.silent && settings.closeConnection && settings.badCrc &&
                settings.wrongSlave && settings.wrongFunction && settings.trailingGarbage);
}

TEST(SimFaultParser, RejectsMalformedSwitchesWithAReason) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"exception:0x1110", "bad fault \"exception:0x1110\": expected exception:ADDRESS=CODE"},
        {"exception:0x10000=4",
         "bad fault \"exception:0x10000=4\": the address must be a number from 0 to 0xFFFF"},
        {"exception:0x1110=0",
         "bad fault \"exception:0x1110=0\": the exception code must be a number from 1 to 255"},
        {"exception:10-5=2",
         "bad fault \"exception:10-5=2\": the first address of a range must not be above the "
         "last"},
        {"exception:0x1110-=4",
         "bad fault \"exception:0x1110-=4\": the address must be a number from 0 to 0xFFFF"},
        {"delay=-5", "bad fault \"delay=-5\": the delay must be a number of milliseconds up to "
                     "60000"},
        {"delay=60001", "bad fault \"delay=60001\": the delay must be a number of milliseconds "
                        "up to 60000"},
        {"slient", "bad fault \"slient\": unknown fault (see --help)"},
    };
    for (const auto& c : cases) {
        SimFaults faults;
        std::string message;
        EXPECT_EQ(SimFaultParser::apply(c.text, faults, message), 1) << c.text;
        EXPECT_EQ(message, c.message);
        EXPECT_TRUE(faults.snapshot().exceptions.empty());
    }
}
