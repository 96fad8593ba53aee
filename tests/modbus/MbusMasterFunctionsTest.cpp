#include "modbus/MbusError.h"
#include "support/RecordingClock.h"
#include "support/RegisterReply.h"
#include "support/ScriptedTransport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
TEST(ReadInputRegisters, SendsAddressAndCountAndUnpacksBigEndianWords) {
    ScriptedTransport master;
    master.answer(registerReply(80, 0x1234));
    std::vector<uint16_t> values(80, 0xEEEE);

    ASSERT_EQ(master.readInputRegisters(1, 4097, values.data(), 80), MBUS_SUCCESS);

    ASSERT_EQ(master.calls.size(), 1u);
    EXPECT_EQ(master.calls[0].slave, 1);
    EXPECT_EQ(master.calls[0].functionCode, 4);
    //                                      address    count
    EXPECT_THAT(master.calls[0].request, ElementsAre(0x10, 0x00, 0x00, 0x50));
    EXPECT_EQ(master.calls[0].replyLength, 161);
    EXPECT_EQ(values[0], 0x1234);
    EXPECT_EQ(values[79], 0x1234 + 79);
}

TEST(ReadCoils, PacksBitsLeastSignificantFirstAcrossBytes) {
    ScriptedTransport master;
    //            byte count  coils 0-7   coil 8
    master.answer({0x02, 0b10100101, 0b00000001});
    std::vector<int> values(9, 7);

    ASSERT_EQ(master.readCoils(3, 1, values.data(), 9), MBUS_SUCCESS);

    EXPECT_EQ(master.calls[0].replyLength, 3);
    EXPECT_THAT(master.calls[0].request, ElementsAre(0x00, 0x00, 0x00, 0x09));
    EXPECT_THAT(values, ElementsAre(1, 0, 1, 0, 0, 1, 0, 1, 1));
}

TEST(Reads, RejectArgumentsOutsideTheirLimitsWithoutTrafficAndZeroTheDestination) {
    struct Case {
        int slave, ref, count;
        int expected;
    };
    const Case registerCases[] = {
        {1, 1, 0, MBUS_ILLEGAL_ARGUMENT}, {1, 1, 126, MBUS_ILLEGAL_ARGUMENT},
        {0, 1, 1, MBUS_ILLEGAL_ARGUMENT}, {256, 1, 1, MBUS_ILLEGAL_ARGUMENT},
        {1, 0, 1, MBUS_ILLEGAL_ARGUMENT}, {1, 65537, 1, MBUS_ILLEGAL_ARGUMENT},
        {1, 1, 125, MBUS_REPLY_TIMEOUT},  {255, 65536, 1, MBUS_REPLY_TIMEOUT},
    };
    for (const auto& c : registerCases) {
        ScriptedTransport master;
        std::vector<uint16_t> values(130, 0xAAAA);
        EXPECT_EQ(master.readInputRegisters(c.slave, c.ref, values.data(), c.count), c.expected)
            << c.slave << "/" << c.ref << "/" << c.count;
        EXPECT_EQ(master.calls.size(), c.expected == MBUS_ILLEGAL_ARGUMENT ? 0u : 1u);
        for (int i = 0; i < c.count && i < 130; ++i) {
            EXPECT_EQ(values[static_cast<size_t>(i)], 0);
        }
    }
    const Case coilCases[] = {
        {1, 1, 0, MBUS_ILLEGAL_ARGUMENT},
        {1, 1, 2001, MBUS_ILLEGAL_ARGUMENT},
        {1, 1, 2000, MBUS_REPLY_TIMEOUT},
        {0, 1, 1, MBUS_ILLEGAL_ARGUMENT},
    };
    for (const auto& c : coilCases) {
        ScriptedTransport master;
        std::vector<int> values(2001, 5);
        EXPECT_EQ(master.readCoils(c.slave, c.ref, values.data(), c.count), c.expected);
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(values[static_cast<size_t>(i)], 0);
        }
    }
}

TEST(Reads, WrongByteCountIsAnInvalidReplyAndLeavesZeros) {
    ScriptedTransport master;
    master.answer({0x03, 0x12, 0x34, 0x56});
    std::vector<uint16_t> values(2, 0x5555);
    EXPECT_EQ(master.readInputRegisters(1, 1, values.data(), 2), MBUS_INVALID_REPLY);
    EXPECT_THAT(values, Each(0));

    master.answer({0x01, 0xFF, 0x01});
    std::vector<int> coils(9, 1);
    EXPECT_EQ(master.readCoils(1, 1, coils.data(), 9), MBUS_INVALID_REPLY);
    EXPECT_THAT(coils, Each(0));
}

TEST(Reads, TransportFailuresAndExceptionsPassThroughWithZeroedDestination) {
    for (int failure : {MBUS_ILLEGAL_DATA_ADDRESS, MBUS_SLAVE_DEVICE_FAILURE, MBUS_INVALID_FRAME,
                        MBUS_CONNECTION_CLOSED}) {
        ScriptedTransport master;
        master.fail(failure);
        std::vector<uint16_t> values(3, 9);
        EXPECT_EQ(master.readInputRegisters(1, 1, values.data(), 3), failure);
        EXPECT_THAT(values, Each(0));
    }
    ScriptedTransport closed;
    closed.open = false;
    uint16_t value = 7;
    EXPECT_EQ(closed.readInputRegisters(1, 1, &value, 1), MBUS_ILLEGAL_STATE);
    EXPECT_EQ(closed.readInputRegisters(1, 1, &value, 0), MBUS_ILLEGAL_ARGUMENT);
}

TEST(WriteSingleCoil, SendsFF00ForAnyNonzeroValueAndAcceptsTheOneEcho) {
    ScriptedTransport master;
    master.answer({0x00, 0x09, 0x00, 0x01});
    EXPECT_EQ(master.writeSingleCoil(1, 10, 7), MBUS_SUCCESS);
    EXPECT_THAT(master.calls[0].request, ElementsAre(0x00, 0x09, 0xFF, 0x00));
    EXPECT_EQ(master.calls[0].functionCode, 5);
    EXPECT_EQ(master.calls[0].replyLength, 4);

    master.answer({0x12, 0x34, 0x00, 0x00}); // address echo is not compared
    EXPECT_EQ(master.writeSingleCoil(1, 10, 0), MBUS_SUCCESS);
    EXPECT_THAT(master.calls[1].request, ElementsAre(0x00, 0x09, 0x00, 0x00));

    master.answer({0x00, 0x09, 0x00, 0x02});
    EXPECT_EQ(master.writeSingleCoil(1, 10, 1), MBUS_INVALID_REPLY);
}

TEST(WriteSingleRegister, AcceptsTheValueOrTwoInTheEcho) {
    const struct {
        uint16_t echo;
        int expected;
    } cases[] = {{0xBEEF, MBUS_SUCCESS},
                 {0x0002, MBUS_SUCCESS},
                 {0x0001, MBUS_INVALID_REPLY},
                 {0xBEEE, MBUS_INVALID_REPLY}};
    for (const auto& c : cases) {
        ScriptedTransport master;
        master.answer(
            {0x00, 0x00, static_cast<uint8_t>(c.echo >> 8), static_cast<uint8_t>(c.echo)});
        EXPECT_EQ(master.writeSingleRegister(1, 65536, 0xBEEF), c.expected) << c.echo;
        EXPECT_THAT(master.calls[0].request, ElementsAre(0xFF, 0xFF, 0xBE, 0xEF));
    }
}

TEST(Writes, SlaveZeroIsAllowedAndAlwaysSucceedsWhateverTheEcho) {
    ScriptedTransport master;
    master.answer({0, 0, 0x55, 0x55});
    EXPECT_EQ(master.writeSingleRegister(0, 1, 3), MBUS_SUCCESS);
    master.answer({0, 0, 0x55, 0x55});
    EXPECT_EQ(master.writeSingleCoil(0, 1, 1), MBUS_SUCCESS);
    const uint16_t regs[2] = {1, 2};
    master.answer({0, 0, 0x55, 0x55});
    EXPECT_EQ(master.writeMultipleRegisters(0, 1, regs, 2), MBUS_SUCCESS);
    const int coils[2] = {1, 0};
    master.answer({0, 0, 0x55, 0x55});
    EXPECT_EQ(master.writeMultipleCoils(0, 1, coils, 2), MBUS_SUCCESS);
    EXPECT_EQ(master.calls.size(), 4u);
}

TEST(Writes, RejectArgumentsOutsideTheirLimits) {
    ScriptedTransport master;
    std::vector<uint16_t> regs(101, 1);
    std::vector<int> coils(801, 1);
    EXPECT_EQ(master.writeSingleCoil(256, 1, 1), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(master.writeSingleCoil(1, 0, 1), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(master.writeSingleRegister(-1, 1, 1), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(master.writeSingleRegister(1, 65537, 1), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(master.writeMultipleRegisters(1, 1, regs.data(), 101), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(master.writeMultipleRegisters(1, 1, regs.data(), 0), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(master.writeMultipleCoils(1, 1, coils.data(), 801), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(master.writeMultipleCoils(256, 1, coils.data(), 1), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_TRUE(master.calls.empty());
}

TEST(WriteMultipleRegisters, SendsHundredWordsWithByteCount200AndChecksTheCountEcho) {
    ScriptedTransport master;
    std::vector<uint16_t> regs(100);
    for (size_t i = 0; i < regs.size(); ++i) {
        regs[i] = static_cast<uint16_t>(0x0100 + i);
    }
    master.answer({0x12, 0x34, 0x00, 100});
    EXPECT_EQ(master.writeMultipleRegisters(1, 0x1101, regs.data(), 100), MBUS_SUCCESS);
    const auto& request = master.calls[0].request;
    ASSERT_EQ(request.size(), 205u);
    //          address      count        byte count
    EXPECT_THAT(Bytes(request.begin(), request.begin() + 5),
                ElementsAre(0x11, 0x00, 0x00, 100, 0xC8));
    EXPECT_EQ(request[5], 0x01);
    EXPECT_EQ(request[6], 0x00);
    EXPECT_EQ(request[204], 0x63);
    EXPECT_EQ(master.calls[0].functionCode, 16);

    master.answer({0x11, 0x00, 0x00, 99});
    EXPECT_EQ(master.writeMultipleRegisters(1, 0x1101, regs.data(), 100), MBUS_INVALID_REPLY);
}

TEST(WriteMultipleCoils, PacksTenCoilsIntoTwoBytesWithHighBitsClear) {
    ScriptedTransport master;
    const int coils[10] = {1, 0, 0, 0, 0, 0, 0, 5, 0, 1};
    master.answer({0x81, 0x00, 0x00, 10});
    EXPECT_EQ(master.writeMultipleCoils(1, 0x8101, coils, 10), MBUS_SUCCESS);
    //                                         address     count       bytes coils
    EXPECT_THAT(master.calls[0].request, ElementsAre(0x81, 0x00, 0x00, 0x0A, 0x02, 0x81, 0x02));
    EXPECT_EQ(master.calls[0].functionCode, 15);
}

TEST(PollDelay, SleepsTheRoundedRemainderInOneHourStepsAndMarksTheNextStart) {
    struct Probe : ScriptedTransport {
        using MbusMasterFunctions::nextPollTime;
        using MbusMasterFunctions::waitPollDelay;
    };
    RecordingClock clock;
    Probe master;
    master.setClock(clock);

    master.setPollDelay(0);
    clock.now = 1000;
    master.waitPollDelay();
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(master.nextPollTime, 1000);

    master.setPollDelay(250);
    master.nextPollTime = clock.now + 4999; // rounds down to 0 ms
    master.waitPollDelay();
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(master.nextPollTime, clock.now + 250 * Clock::ticksPerMs);

    master.nextPollTime = clock.now + 15000; // 1.5 ms rounds to 2
    master.waitPollDelay();
    EXPECT_THAT(clock.sleeps, ElementsAre(2));

    clock.sleeps.clear();
    master.setPollDelay(3 * 3600000);
    master.nextPollTime = clock.now + (2 * 3600000LL + 10) * Clock::ticksPerMs;
    master.waitPollDelay();
    EXPECT_THAT(clock.sleeps, ElementsAre(3600000, 3600000, 10));
    master.setPollDelay(250);

    clock.sleeps.clear();
    master.nextPollTime = clock.now - 50; // already passed
    master.waitPollDelay();
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST(PollDelay, WallClockSetBackNeverStretchesTheWaitBeyondTheDelay) {
    struct Probe : ScriptedTransport {
        using MbusMasterFunctions::nextPollTime;
        using MbusMasterFunctions::waitPollDelay;
    };
    RecordingClock clock;
    Probe master;
    master.setClock(clock);
    master.setPollDelay(250);
    clock.now = 100 * 3600000LL * Clock::ticksPerMs;
    master.nextPollTime = clock.now;
    master.waitPollDelay();
    EXPECT_TRUE(clock.sleeps.empty());

    clock.now -= 3600000LL * Clock::ticksPerMs; // the clock is set back by an hour
    master.waitPollDelay();

    EXPECT_THAT(clock.sleeps, ElementsAre(250));
}
