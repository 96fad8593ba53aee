#include "modbus/MbusRtuMasterProtocol.h"
#include "RtuTestFrames.h"
#include "modbus/MbusError.h"
#include "support/PtyPair.h"
#include "support/RecordingClock.h"
#include "support/ScriptedRtuSlave.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using namespace RtuTestFrames;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr int unitBaud = 19200;
// At 300 baud the silence is 147 ms: wide enough that a busy test machine cannot open a false
// gap in a line that talks every few milliseconds. A pseudo-terminal ignores the rate itself.
constexpr int slowBaud = 300;
constexpr int slowSilenceMs = 147;

int64_t millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start)
        .count();
}

class RtuMasterOverPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        master.setTimeout(2000);
    }
    int open(int baud = unitBaud) {
        return master.openPort(pty.path().c_str(), baud, 8, 1,
                               MbusSerialMasterProtocol::parityEven);
    }
    int readEighty() { return master.readInputRegisters(1, 4097, values.data(), 80); }

    PtyPair pty;
    MbusRtuMasterProtocol master;
    std::vector<uint16_t> values = std::vector<uint16_t>(125, 0);
};

} // namespace

TEST_F(RtuMasterOverPty, ReadOfEightyRegistersIsTheEightByteRequestAndA165ByteReply) {
    const Bytes reply = registerReply(0x01, 80, 0x2000);
    ASSERT_EQ(reply.size(), 165u);
    ScriptedRtuSlave unit(pty.unitFd());
    unit.expect(8, reply).start();
    ASSERT_EQ(open(), MBUS_SUCCESS);

    ASSERT_EQ(readEighty(), MBUS_SUCCESS);

    const auto seen = unit.finish();
    ASSERT_EQ(seen.requests.size(), 1u);
    EXPECT_THAT(seen.requests[0], ElementsAreArray(readOf80Request));
    EXPECT_EQ(values[0], 0x2000);
    EXPECT_EQ(values[79], 0x2000 + 79);
}

TEST_F(RtuMasterOverPty, BroadcastIsWrittenAndNothingIsRead) {
    ScriptedRtuSlave unit(pty.unitFd());
    unit.expect(8, {}).start();
    master.setTimeout(20000);
    ASSERT_EQ(open(), MBUS_SUCCESS);

    const auto start = SteadyClock::now();
    EXPECT_EQ(master.writeSingleRegister(0, 1, 0x1234), MBUS_SUCCESS);
    EXPECT_LT(millisecondsSince(start), 10000) << "waited for a reply to a broadcast";

    const auto seen = unit.finish();
    ASSERT_EQ(seen.requests.size(), 1u);
    //                                     slave function address    value       CRC
    EXPECT_THAT(seen.requests[0], ElementsAre(0x00, 0x06, 0x00, 0x00, 0x12, 0x34, 0x85, 0x6C));
}

TEST_F(RtuMasterOverPty, OnlyChecksumErrorsWrongFramesAndTimeOutsAreRetried) {
    Bytes badCrc = registerReply(0x01, 80, 0);
    badCrc.back() ^= 0xFF;
    Bytes otherSlave = registerReply(0x02, 80, 0);
    Bytes wrongByteCount = registerReply(0x01, 80, 0);
    wrongByteCount[2] = 0x9E;
    wrongByteCount = withCrc(Bytes(wrongByteCount.begin(), wrongByteCount.end() - 2));
    //                             slave function+80 code CRC
    const Bytes exception = {0x01, 0x84, 0x02, 0xC2, 0xC1};
    const Bytes good = registerReply(0x01, 80, 0);

    const struct {
        const char* name;
        int retryCount;
        std::vector<Bytes> replies;
        int result;
    } cases[] = {
        {"bad CRC, no retries", 0, {badCrc}, MBUS_CHECKSUM_ERROR},
        {"bad CRC, then a good reply", 1, {badCrc, good}, MBUS_SUCCESS},
        {"bad CRC every time", 2, {badCrc, badCrc, badCrc}, MBUS_CHECKSUM_ERROR},
        {"other slave, then a good reply", 1, {otherSlave, good}, MBUS_SUCCESS},
        {"silence, then a good reply", 1, {{}, good}, MBUS_SUCCESS},
        {"wrong byte count is final", 2, {wrongByteCount}, MBUS_INVALID_REPLY},
        {"exception is final", 2, {exception}, MBUS_ILLEGAL_DATA_ADDRESS},
    };
    master.setTimeout(300);
    ASSERT_EQ(open(), MBUS_SUCCESS);
    for (const auto& c : cases) {
        ScriptedRtuSlave unit(pty.unitFd());
        for (const auto& reply : c.replies) {
            unit.expect(8, reply);
        }
        unit.listenAfter(100).start();
        master.setRetryCount(c.retryCount);

        EXPECT_EQ(readEighty(), c.result) << c.name;

        const auto seen = unit.finish();
        EXPECT_EQ(seen.requests.size(), c.replies.size()) << c.name;
        EXPECT_TRUE(seen.leftover.empty()) << c.name << ": retried once too often";
    }
}

TEST_F(RtuMasterOverPty, ExceptionReplyToA125RegisterReadReturnsWithoutWaitingForMore) {
    ScriptedRtuSlave unit(pty.unitFd());
    //                   slave function+80 code CRC
    unit.expect(8, {0x01, 0x84, 0x02, 0xC2, 0xC1}).start();
    master.setTimeout(20000);
    ASSERT_EQ(open(), MBUS_SUCCESS);

    const auto start = SteadyClock::now();
    EXPECT_EQ(master.readInputRegisters(1, 125, values.data(), 125), MBUS_ILLEGAL_DATA_ADDRESS);
    EXPECT_LT(millisecondsSince(start), 10000);
    const auto seen = unit.finish();
    ASSERT_EQ(seen.requests.size(), 1u);
    //                                     slave function address    count       CRC
    EXPECT_THAT(seen.requests[0], ElementsAre(0x01, 0x04, 0x00, 0x7C, 0x00, 0x7D, 0xF1, 0xF3));
}

TEST_F(RtuMasterOverPty, ReplyFromAnotherSlaveOrFunctionIsAnInvalidFrameEvenWithAGoodCrc) {
    Bytes otherFunction = registerReply(0x01, 80, 0);
    otherFunction[1] = 0x03;
    otherFunction = withCrc(Bytes(otherFunction.begin(), otherFunction.end() - 2));
    const struct {
        const char* name;
        Bytes reply;
    } cases[] = {
        {"slave 2 answers", registerReply(0x02, 80, 0)},
        {"broadcast address answers", registerReply(0x00, 80, 0)},
        {"function 3 answers", otherFunction},
        //                              slave function+80 code CRC
        {"exception from slave 2", withCrc({0x02, 0x84, 0x02})},
    };
    ASSERT_EQ(open(), MBUS_SUCCESS);
    for (const auto& c : cases) {
        ScriptedRtuSlave unit(pty.unitFd());
        unit.expect(8, c.reply).start();
        EXPECT_EQ(readEighty(), MBUS_INVALID_FRAME) << c.name;
        unit.finish();
    }
}

TEST_F(RtuMasterOverPty, MissingOrPartialReplyIsAReplyTimeOut) {
    const Bytes full = registerReply(0x01, 80, 0);
    const struct {
        const char* name;
        size_t bytes;
    } cases[] = {{"nothing", 0}, {"less than the head", 3}, {"head only", 5}, {"all but one", 164}};
    master.setTimeout(250);
    ASSERT_EQ(open(), MBUS_SUCCESS);
    for (const auto& c : cases) {
        ScriptedRtuSlave unit(pty.unitFd());
        unit.expect(8, Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(c.bytes)))
            .start();
        const auto start = SteadyClock::now();
        EXPECT_EQ(readEighty(), MBUS_REPLY_TIMEOUT) << c.name;
        EXPECT_GE(millisecondsSince(start), 240) << c.name;
        unit.finish();
    }
}

TEST_F(RtuMasterOverPty, TalkingLineDelaysTheRequestUntilItIsQuietForTheCharacterTimeOut) {
    ScriptedRtuSlave unit(pty.unitFd());
    unit.talk(400, 3).expect(8, registerReply(0x01, 80, 7)).start();
    master.setTimeout(5000);
    ASSERT_EQ(open(slowBaud), MBUS_SUCCESS);
    ASSERT_EQ(master.getCharTimeout(), slowSilenceMs);

    EXPECT_EQ(readEighty(), MBUS_SUCCESS);

    const auto seen = unit.finish();
    EXPECT_EQ(seen.bytesHeardWhileTalking, 0u) << "the request interrupted another device";
    ASSERT_TRUE(seen.lastTalk && seen.firstRequest);
    const auto quiet =
        std::chrono::duration_cast<std::chrono::milliseconds>(*seen.firstRequest - *seen.lastTalk);
    EXPECT_GE(quiet.count(), slowSilenceMs - 10);
    EXPECT_EQ(values[0], 7);
}

TEST_F(RtuMasterOverPty, LineThatNeverFallsQuietGivesUpWithASendTimeOut) {
    ScriptedRtuSlave unit(pty.unitFd());
    unit.talk(-1, 2).start();
    master.setTimeout(400);
    ASSERT_EQ(open(slowBaud), MBUS_SUCCESS);

    const auto start = SteadyClock::now();
    EXPECT_EQ(readEighty(), MBUS_SEND_TIMEOUT);
    const auto elapsed = millisecondsSince(start);
    EXPECT_GE(elapsed, 390);
    EXPECT_LT(elapsed, 10000);

    unit.stop();
    const auto seen = unit.finish();
    EXPECT_EQ(seen.bytesHeardWhileTalking, 0u);
}

TEST_F(RtuMasterOverPty, Rs485ModeSleepsTheDelayAfterSendingOnLinesWithoutModemControl) {
    RecordingClock clock{RecordingClock::Time::Real};
    master.setClock(clock);
    ASSERT_EQ(master.setRs485Mode(7), MBUS_SUCCESS);
    ScriptedRtuSlave unit(pty.unitFd());
    unit.expect(8, registerReply(0x01, 80, 1)).start();
    ASSERT_EQ(open(), MBUS_SUCCESS);

    EXPECT_EQ(readEighty(), MBUS_SUCCESS);
    EXPECT_THAT(clock.sleeps, ElementsAre(7));
    unit.finish();
}

TEST_F(RtuMasterOverPty, BytesLeftFromAnEarlierReplyAreNotTakenForTheNextOne) {
    Bytes twoReplies = registerReply(0x01, 80, 0x1111);
    const Bytes stale = registerReply(0x01, 80, 0x2222);
    ScriptedRtuSlave unit(pty.unitFd());
    // A unit that answers twice: the second copy sits on the line until the next request.
    twoReplies.insert(twoReplies.end(), stale.begin(), stale.end());
    unit.expect(8, twoReplies).expect(8, registerReply(0x01, 80, 0x3333)).start();
    ASSERT_EQ(open(), MBUS_SUCCESS);

    ASSERT_EQ(readEighty(), MBUS_SUCCESS);
    EXPECT_EQ(values[0], 0x1111);
    ASSERT_EQ(readEighty(), MBUS_SUCCESS);
    EXPECT_EQ(values[0], 0x3333);
    EXPECT_EQ(unit.finish().requests.size(), 2u);
}

TEST_F(RtuMasterOverPty, TransactionOnAClosedMasterIsAnIllegalState) {
    EXPECT_EQ(readEighty(), MBUS_ILLEGAL_STATE);
    ASSERT_EQ(open(), MBUS_SUCCESS);
    master.closeLink();
    EXPECT_EQ(readEighty(), MBUS_ILLEGAL_STATE);
}
