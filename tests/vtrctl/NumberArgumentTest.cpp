#include "tools/vtrctl/NumberArgument.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

TEST(NumberArgument, AcceptsDecimalAndHexadecimalWithinSixtyFourBits) {
    const struct {
        const char* text;
        int64_t value;
    } cases[] = {
        {"0", 0},
        {"4097", 4097},
        {"-5", -5},
        {"+7", 7},
        {"0x10", 16},
        {"0XbeEF", 0xBEEF},
        {"-0x8000", -0x8000},
        {"010", 10}, // a leading zero is not octal
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
    };
    for (const auto& c : cases) {
        int64_t value = 12345;
        EXPECT_TRUE(NumberArgument::parse(c.text, value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(NumberArgument, RejectsEverythingElse) {
    for (const char* text : {"", "-", "0x", "abc", "12z", "1 ", " 1", "0x-1", "--1", "+-1", "1.5",
                             "9223372036854775808", "0x10000000000000000", "0b101"}) {
        int64_t value = 0;
        EXPECT_FALSE(NumberArgument::parse(text, value)) << '"' << text << '"';
    }
}

TEST(NumberArgument, SaturatesToIntSoThatOutOfRangeStaysOutOfRange) {
    EXPECT_EQ(NumberArgument::saturateToInt(INT64_MAX), INT_MAX);
    EXPECT_EQ(NumberArgument::saturateToInt(int64_t{1} << 32), INT_MAX); // not 0
    EXPECT_EQ(NumberArgument::saturateToInt(INT64_MIN), INT_MIN);
    EXPECT_EQ(NumberArgument::saturateToInt(-3), -3);
}
