#include "device/AverageWeightCode.h"
#include "device/ChannelState.h"
#include "device/ChannelStateCode.h"
#include "device/RtuConfigCodec.h"
#include "device/ScanParametersCodec.h"
#include "device/TcpConfigCodec.h"
#include "device/TextField.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

using ::testing::ElementsAre;

namespace {

// A text field as the unit sends it: one character per low byte, `high` in every high byte.
std::array<uint16_t, TextField::registers> textRegisters(const std::string& text,
                                                         uint16_t high = 0) {
    std::array<uint16_t, TextField::registers> field{};
    for (size_t i = 0; i < field.size(); ++i) {
        const uint8_t low = i < text.size() ? static_cast<uint8_t>(text[i]) : 0;
        field[i] = static_cast<uint16_t>(high << 8 | low);
    }
    return field;
}

} // namespace

TEST(TextField, TakesLowBytesUpToTheFirstNulAndAtMostSixteen) {
    struct Case {
        std::array<uint16_t, TextField::registers> field;
        std::string expected;
    };
    std::array<uint16_t, TextField::registers> nulInside = textRegisters("AB");
    nulInside[3] = 'Z'; // after the NUL: not part of the text
    const Case cases[] = {
        {textRegisters("VANTREL"), "VANTREL"},
        {textRegisters("0123456789ABCDEF"), "0123456789ABCDEF"},
        {textRegisters("0123456789ABCDEF", 0x7F), "0123456789ABCDEF"},
        {textRegisters("KX5120", 0xFF), "KX5120"},
        {nulInside, "AB"},
        {textRegisters(""), ""},
        // A high byte alone is no character; a zero low byte still ends the text.
        {textRegisters("", 0x41), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextField::decode(c.field), c.expected);
    }
}

TEST(ChannelStateCode, KnowsThreeWireCodesAndMarksEveryOtherInvalid) {
    struct Case {
        uint16_t wire;
        int16_t state;
    };
    const Case cases[] = {
        {0x0000, ChannelState::vacant},  {0x0001, ChannelState::input},
        {0x0080, ChannelState::output},  {0x0002, ChannelState::invalid},
        {0x0081, ChannelState::invalid}, {0x8000, ChannelState::invalid},
        {0xFFFF, ChannelState::invalid},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChannelStateCode::decode(c.wire), c.state) << c.wire;
    }
    EXPECT_EQ(ChannelStateCode::encode(ChannelState::vacant), 0x0000);
    EXPECT_EQ(ChannelStateCode::encode(ChannelState::input), 0x0001);
    EXPECT_EQ(ChannelStateCode::encode(ChannelState::output), 0x0080);
    EXPECT_EQ(ChannelStateCode::encode(3), 0xFFFF);
}

TEST(AverageWeightCode, DecodesOneBitForInputsAndGivesOtherChannelsTheDefault) {
    struct Case {
        uint16_t wire;
        int16_t state;
        uint16_t index;
    };
    const Case cases[] = {
        {0x0001, ChannelState::input, 0},   {0x0004, ChannelState::input, 2},
        {0x8000, ChannelState::input, 15},  {0x0003, ChannelState::input, 255},
        {0x0000, ChannelState::input, 255}, {0xFFFF, ChannelState::input, 255},
        {0x0008, ChannelState::output, 2},  {0x0003, ChannelState::output, 2},
        {0x8000, ChannelState::vacant, 2},  {0x0001, ChannelState::invalid, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AverageWeightCode::decode(c.wire, c.state), c.index)
            << "wire " << c.wire << " state " << c.state;
    }
    EXPECT_EQ(AverageWeightCode::encode(0), 0x0001);
    EXPECT_EQ(AverageWeightCode::encode(15), 0x8000);
    EXPECT_EQ(AverageWeightCode::encode(16), 0x0000);
}

TEST(RtuConfigCodec, KeepsOnlyTheLowByteOfTheSlaveIdHighBitsBothWays) {
    //                                       interface baud  parity  slave id high
    const std::array<uint16_t, 4> block = {0x0001, 0x0007, 0x0002, 0xAB30};
    const RtuConfig config = RtuConfigCodec::decode(block);
    EXPECT_EQ(config.serialInterface, 1);
    EXPECT_EQ(config.baudIndex, 7);
    EXPECT_EQ(config.parityIndex, 2);
    EXPECT_EQ(config.slaveIdHigh, 0x30);

    EXPECT_THAT(RtuConfigCodec::encode({0xF0, 2, 3, 1}), ElementsAre(2, 3, 1, 0x00F0));
}

TEST(TcpConfigCodec, CarriesTwoOctetsPerRegisterFirstOctetHigh) {
    const std::array<uint16_t, TcpConfigCodec::registers> block = {
        0xC0A8, 0x0164,         // ip address 192.168.1.100
        0xFFFF, 0xFF00,         // subnet mask 255.255.255.0
        0xC0A8, 0x0101,         // gateway 192.168.1.1
        7200,                   // keepalive
        502,                    // tcp port
        0x0050, 0xC2A1, 0xB2C3, // mac address 00:50:C2:A1:B2:C3
    };
    const TcpConfig config = TcpConfigCodec::decode(block);
    EXPECT_THAT(config.ipAddress, ElementsAre(192, 168, 1, 100));
    EXPECT_THAT(config.subnetMask, ElementsAre(255, 255, 255, 0));
    EXPECT_THAT(config.gateway, ElementsAre(192, 168, 1, 1));
    EXPECT_EQ(config.keepaliveMs, 7200);
    EXPECT_EQ(config.tcpPort, 502);
    EXPECT_THAT(config.macAddress, ElementsAre(0x00, 0x50, 0xC2, 0xA1, 0xB2, 0xC3));

    // Writes stop at the keepalive: port and MAC address are the unit's own.
    EXPECT_THAT(TcpConfigCodec::encode(config),
                ElementsAre(0xC0A8, 0x0164, 0xFFFF, 0xFF00, 0xC0A8, 0x0101, 7200));
}

TEST(ScanParametersCodec, ListLengthEndsAtTheFirstFFAmongTheSixtyFourEntries) {
    struct Case {
        int firstFF; // -1: none among registers 0-63
        int length;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {5, 5}, {63, 63}, {-1, 64}};
    for (const auto& c : cases) {
        std::array<uint16_t, ScanParametersCodec::registers> block{};
        for (int i = 0; i < 64; ++i) {
            block[i] = static_cast<uint16_t>(i);
        }
        if (c.firstFF >= 0) {
            block[c.firstFF] = 0x12FF; // the entry is the low byte

            block[63] = 0x00FF;
        }
        block[64] = 0x1234; // terminator register: ignored
        block[65] = 250;    // interval
        block[66] = 9;      // count
        const ScanParameters parameters = ScanParametersCodec::decode(block);
        EXPECT_EQ(parameters.scanListLength, c.length) << c.firstFF;
        EXPECT_EQ(parameters.scanIntervalMs, 250);
        EXPECT_EQ(parameters.scanCount, 9);
        EXPECT_EQ(parameters.scanList[0], c.firstFF == 0 ? 0xFF : 0);
    }
}

TEST(ScanParametersCodec, EncodesEntriesBeyondTheLengthAndTheTerminatorAsFF) {
    struct Case {
        int32_t length;
        int listed; // entries that carry a channel id
    };
    const Case cases[] = {{0, 0}, {3, 3}, {64, 64}, {-5, 0}, {99, 64}};
    for (const auto& c : cases) {
        ScanParameters parameters;
        parameters.scanList.fill(7);
        parameters.scanListLength = c.length;
        parameters.scanIntervalMs = 1000;
        parameters.scanCount = 3;
        const auto block = ScanParametersCodec::encode(parameters);
        for (int i = 0; i < 64; ++i) {
            EXPECT_EQ(block[i], i < c.listed ? 7 : 0xFF) << "length " << c.length << " entry " << i;
        }
        EXPECT_EQ(block[64], 0xFF);
        EXPECT_EQ(block[65], 1000);
        EXPECT_EQ(block[66], 3);
    }
}
