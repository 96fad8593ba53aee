#include "dialogs/NumberParsers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ParseCase {
    std::string text;
    int result;
    long value; // expected stored value when result is ParseOk
};

constexpr long untouched = 4242;

} // namespace

TEST(ParseUInt16, AcceptsDecimalAndLowerCaseHexWithinTheirLengthAndRange) {
    const ParseCase cases[] = {
        {"", ParseEmpty, 0},
        {"0", ParseOk, 0},
        {"65535", ParseOk, 65535},
        {"65536", ParseOutOfRange, 0},
        {"100000", ParseTooLong, 0},
        {"-1", ParseOutOfRange, 0},
        {"12abc", ParseOk, 12},
        {"abc", ParseNotNumber, 0},
        {"0x1F", ParseOk, 0x1F},
        {"0xffff", ParseOk, 0xFFFF},
        {"0X1F", ParseOk, 0}, // upper-case X is decimal 0 followed
                              // by a stop
        {"0X10", ParseOk, 0},
        {"0x", ParseNotNumber, 0},
        {"0xg1", ParseNotNumber, 0},
        {"0x12345", ParseTooLong, 0}, // five hex digits
        {"0x1g", ParseOk, 1},
        {" 12", ParseOk, 12}, // blanks count toward the five
                              // characters
        {"    12", ParseTooLong, 0},
        {"+7", ParseOk, 7},
        {"-", ParseNotNumber, 0},
        {" ", ParseNotNumber, 0},
        {"7200", ParseOk, 7200},
    };
    for (const auto& c : cases) {
        uint16_t value = static_cast<uint16_t>(untouched);
        EXPECT_EQ(ParseUInt16(c.text, value), c.result) << '"' << c.text << '"';
        EXPECT_EQ(value, c.result == ParseOk ? c.value : untouched) << '"' << c.text << '"';
    }
}

TEST(ParseInt16, ReadsHexAsTheSixteenBitPatternAndDecimalWithSign) {
    const ParseCase cases[] = {
        {"-1", ParseOk, -1},
        {"0xFFFF", ParseOk, -1},
        {"0x8000", ParseOk, -32768},
        {"-32768", ParseOk, -32768},
        {"32767", ParseOk, 32767},
        {"32768", ParseOutOfRange, 0},
        {"-32769", ParseOutOfRange, 0},
        {"1000000", ParseTooLong, 0},
        {"0x10000", ParseTooLong, 0},
        {"0x7fff", ParseOk, 32767},
        {"-5", ParseOk, -5},
        {"", ParseEmpty, 0},
        {"N/A", ParseNotNumber, 0},
        {"- 5", ParseNotNumber, 0},
    };
    for (const auto& c : cases) {
        int16_t value = static_cast<int16_t>(untouched);
        EXPECT_EQ(ParseInt16(c.text, value), c.result) << '"' << c.text << '"';
        EXPECT_EQ(value, c.result == ParseOk ? c.value : untouched) << '"' << c.text << '"';
    }
}

TEST(ParseUInt8, HasItsOwnShorterLimits) {
    const ParseCase cases[] = {
        {"255", ParseOk, 255},
        {"256", ParseOutOfRange, 0},
        {"0xFF", ParseOk, 255},
        {"0xC0", ParseOk, 192},
        {"0x100", ParseTooLong, 0},
        {"0x1FF", ParseTooLong, 0},
        {"0x040", ParseTooLong, 0},
        {"0x3F", ParseOk, 63},
        {" 12", ParseOk, 12},
        {"  12", ParseTooLong, 0},
        {"1\r\n2", ParseTooLong, 0}, // two lines without a separator
                                     // are one entry of 4 chars
        {"1 2", ParseOk, 1},
        {"-0", ParseOk, 0},
        {"-1", ParseOutOfRange, 0},
        {"", ParseEmpty, 0},
    };
    for (const auto& c : cases) {
        uint8_t value = static_cast<uint8_t>(untouched & 0xFF);
        EXPECT_EQ(ParseUInt8(c.text, value), c.result) << '"' << c.text << '"';
        EXPECT_EQ(value, c.result == ParseOk ? c.value : (untouched & 0xFF))
            << '"' << c.text << '"';
    }
}
