#include "modbus/TransactionObserver.h"
#include "modbus/MbusError.h"
#include "support/RecordingClock.h"
#include "support/ScriptedTransport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using ::testing::ElementsAreArray;

namespace {

struct Heard {
    int function, address, count;
    std::vector<uint8_t> request, reply;
    int result;
    int64_t startTicks;
};

struct Listener : TransactionObserver {
    void transactionDone(const ObservedTransaction& t) override {
        heard.push_back({t.function,
                         t.address,
                         t.count,
                         {t.request.begin(), t.request.end()},
                         {t.reply.begin(), t.reply.end()},
                         t.result,
                         t.startTicks});
    }
    std::vector<Heard> heard;
};

} // namespace

// The observer hears the request as sent (not the reply that overwrote it in the master's
// buffer), the reply data only when the transport brought one, and the final result, reply
// checks included. Rejected arguments send nothing and are not heard of.
TEST(TransactionObserver, HearsEveryTransactionWithItsBytesAndFinalResult) {
    struct Case {
        const char* what;
        std::vector<uint8_t> answer; // empty: the transport times out
        std::function<int(MbusMasterFunctions&)> run;
        Heard expected;
    };
    uint16_t readWords[2] = {};
    int readCoils[3] = {};
    const uint16_t words[2] = {0x1234, 0x00FF};
    const int coils[3] = {1, 0, 1};
    const Case cases[] = {
        {"read registers",
         {0x04, 0x00, 0x07, 0x00, 0x08},
         [&](auto& m) { return m.readInputRegisters(1, 0x1201, readWords, 2); },
         //  function address count  address     count        byte count, words
         {4, 0x1200, 2, {0x12, 0x00, 0x00, 0x02}, {0x04, 0x00, 0x07, 0x00, 0x08}, 0, 0}},
        {"byte count mismatch",
         {0x03, 0x00, 0x07, 0x00, 0x08},
         [&](auto& m) { return m.readInputRegisters(1, 0x1201, readWords, 2); },
         {4,
          0x1200,
          2,
          {0x12, 0x00, 0x00, 0x02},
          {0x03, 0x00, 0x07, 0x00, 0x08},
          MBUS_INVALID_REPLY,
          0}},
        {"time-out",
         {},
         [&](auto& m) { return m.readCoils(1, 0x8101, readCoils, 3); },
         {1, 0x8100, 3, {0x81, 0x00, 0x00, 0x03}, {}, MBUS_REPLY_TIMEOUT, 0}},
        {"single coil",
         {0x00, 0x05, 0xFF, 0x00},
         [&](auto& m) { return m.writeSingleCoil(1, 6, 1); },
         {5, 0x0005, 1, {0x00, 0x05, 0xFF, 0x00}, {0x00, 0x05, 0xFF, 0x00}, 0, 0}},
        {"multiple registers",
         {0x11, 0x10, 0x00, 0x02},
         [&](auto& m) { return m.writeMultipleRegisters(1, 0x1111, words, 2); },
         //                          address     count       bytes words
         {16,
          0x1110,
          2,
          {0x11, 0x10, 0x00, 0x02, 0x04, 0x12, 0x34, 0x00, 0xFF},
          {0x11, 0x10, 0x00, 0x02},
          0,
          0}},
        {"multiple coils",
         {0x81, 0x00, 0x00, 0x03},
         [&](auto& m) { return m.writeMultipleCoils(1, 0x8101, coils, 3); },
         {15, 0x8100, 3, {0x81, 0x00, 0x00, 0x03, 0x01, 0b101}, {0x81, 0x00, 0x00, 0x03}, 0, 0}},
    };
    for (const Case& c : cases) {
        ScriptedTransport master;
        RecordingClock clock;
        clock.now = 4242;
        master.setClock(clock);
        Listener listener;
        master.setTransactionObserver(&listener);
        if (!c.answer.empty()) {
            master.answer(c.answer);
        }
        EXPECT_EQ(c.run(master), c.expected.result) << c.what;
        ASSERT_EQ(listener.heard.size(), 1u) << c.what;
        const Heard& heard = listener.heard[0];
        EXPECT_EQ(heard.function, c.expected.function) << c.what;
        EXPECT_EQ(heard.address, c.expected.address) << c.what;
        EXPECT_EQ(heard.count, c.expected.count) << c.what;
        EXPECT_THAT(heard.request, ElementsAreArray(c.expected.request)) << c.what;
        EXPECT_THAT(heard.reply, ElementsAreArray(c.expected.reply)) << c.what;
        EXPECT_EQ(heard.result, c.expected.result) << c.what;
        EXPECT_EQ(heard.startTicks, 4242) << c.what;

        EXPECT_EQ(master.readInputRegisters(1, 0, readWords, 1), MBUS_ILLEGAL_ARGUMENT);
        EXPECT_EQ(listener.heard.size(), 1u) << c.what << ": a rejected call is not heard of";
    }
}
