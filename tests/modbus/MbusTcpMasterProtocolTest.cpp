#include "modbus/MbusTcpMasterProtocol.h"
#include "modbus/MbusError.h"
#include "support/RegisterReply.h"
#include "support/ScriptedTcpServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

using ::testing::AnyOf;
using ::testing::ElementsAre;
using Bytes = std::vector<uint8_t>;
using Answer = ScriptedTcpServer::Answer;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr int testTimeoutMs = 200;

// A normal reply to "read input registers": MBAP header, function 4, byte count, the words.
Bytes framedRegisterReply(int count, uint16_t first, uint8_t unit = 1, uint8_t function = 0x04) {
    const auto length = static_cast<uint16_t>(3 + 2 * count);
    //          transaction protocol    length                                          unit
    Bytes frame{
        0x00, 0x00,    0x00, 0x00, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length),
        unit, function};
    const Bytes data = registerReply(count, first);
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}

Answer reply(Bytes bytes) {
    return Answer{std::move(bytes)};
}

Answer silence() {
    return Answer{};
}

size_t openDescriptors() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// The server thread closes its end asynchronously, so the count is awaited rather than sampled.
bool descriptorsReturnTo(size_t expected) {
    const auto deadline = SteadyClock::now() + std::chrono::seconds(5);
    while (openDescriptors() != expected) {
        if (SteadyClock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

long long millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start)
        .count();
}

struct Connected {
    explicit Connected(ScriptedTcpServer::Script script) : server(std::move(script)) {
        master.setTimeout(testTimeoutMs);
        master.setPort(server.port());
        result = master.connectTo("127.0.0.1");
    }
    ScriptedTcpServer server;
    MbusTcpMasterProtocol master;
    int result;
};

} // namespace

TEST(TcpTransport, ReadInputRegistersSendsTheTwelveByteFrameAndReadsTheWholeReply) {
    Connected link([](const Bytes&) { return reply(framedRegisterReply(80, 0x0100)); });
    ASSERT_EQ(link.result, MBUS_SUCCESS);
    std::vector<uint16_t> values(80);

    ASSERT_EQ(link.master.readInputRegisters(1, 4097, values.data(), 80), MBUS_SUCCESS);

    ASSERT_EQ(link.server.requests().size(), 1u);
    EXPECT_THAT(link.server.requests()[0], ElementsAre(0x00, 0x00,   // transaction identifier
                                                       0x00, 0x00,   // protocol identifier
                                                       0x00, 0x06,   // length
                                                       0x01,         // unit identifier
                                                       0x04,         // read input registers
                                                       0x10, 0x00,   // address 0x1000
                                                       0x00, 0x50)); // count 80
    EXPECT_EQ(framedRegisterReply(80, 0x0100).size(), 169u);
    EXPECT_EQ(values[0], 0x0100);
    EXPECT_EQ(values[79], 0x0100 + 79);
}

TEST(TcpTransport, WriteFramesCarryTheirDataAndALengthCountingUnitAndFunction) {
    Connected link([](const Bytes&) {
        //           header                              unit  fn    address     count
        return reply({0x12, 0x34, 0x00, 0x00, 0x00, 0x06, 0x07, 0x0F, 0x00, 0x00, 0x00, 0x0A});
    });
    const int coils[10] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 1};

    ASSERT_EQ(link.master.writeMultipleCoils(7, 1, coils, 10), MBUS_SUCCESS);

    EXPECT_THAT(link.server.requests()[0],
                ElementsAre(0x00, 0x00, 0x00, 0x00, // transaction and protocol identifiers
                            0x00, 0x09,             // length: unit, function, 7 data bytes
                            0x07, 0x0F,             // unit 7, write multiple coils
                            0x00, 0x00, 0x00, 0x0A, // address 0, count 10
                            0x02, 0x01, 0x02));     // byte count, coil bytes
}

TEST(TcpTransport, ReplyIsJudgedByItsUnitIdentifierAndFunctionCodeOnly) {
    const struct {
        const char* what;
        Bytes header; // transaction, protocol, length, unit, function
        int expected;
        int connections; // a malformed reply costs the connection
    } cases[] = {
        {"arbitrary transaction, protocol and length",
         {0xAB, 0xCD, 0x12, 0x34, 0xFF, 0xFF, 0x01, 0x04},
         MBUS_SUCCESS,
         1},
        {"unit identifier 0", {0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x04}, MBUS_SUCCESS, 1},
        {"another unit", {0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x02, 0x04}, MBUS_INVALID_FRAME, 2},
        {"another function",
         {0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x01, 0x03},
         MBUS_INVALID_FRAME,
         2},
    };
    for (const auto& c : cases) {
        Bytes frame = c.header;
        frame.insert(frame.end(), {0x02, 0xBE, 0xEF}); // byte count, one register
        Connected link([&](const Bytes&) { return reply(frame); });
        uint16_t value = 0;

        EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), c.expected) << c.what;

        EXPECT_EQ(value, c.expected == MBUS_SUCCESS ? 0xBEEF : 0) << c.what;
        EXPECT_TRUE(link.master.isLinkOpen()) << c.what;
        EXPECT_TRUE(link.server.waitForConnections(c.connections)) << c.what;
        EXPECT_EQ(link.server.connections(), c.connections) << c.what;
    }
}

TEST(TcpTransport, ExceptionReplyIsCompleteAtNineBytesAndKeepsTheConnection) {
    const struct {
        uint8_t exceptionCode;
        int expected;
    } cases[] = {{0x01, MBUS_ILLEGAL_FUNCTION},
                 {0x02, MBUS_ILLEGAL_DATA_ADDRESS},
                 {0x03, MBUS_ILLEGAL_DATA_VALUE},
                 {0x04, MBUS_SLAVE_DEVICE_FAILURE},
                 {0x0B, 0xAB}};
    for (const auto& c : cases) {
        Connected link([&](const Bytes&) {
            //           header                              unit  fn|0x80 exception
            return reply({0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x01, 0x84, c.exceptionCode});
        });
        link.master.setTimeout(5000);
        std::vector<uint16_t> values(10);
        const auto start = SteadyClock::now();

        EXPECT_EQ(link.master.readInputRegisters(1, 1, values.data(), 10), c.expected);

        EXPECT_LT(millisecondsSince(start), 4000); // did not wait for a normal reply's length
        EXPECT_EQ(link.master.readInputRegisters(1, 1, values.data(), 10), c.expected);
        EXPECT_EQ(link.server.connections(), 1);
    }
}

TEST(TcpTransport, TrailingBytesAreDiscardedBeforeTheNextRequest) {
    std::atomic<int> answered{0};
    Connected link([&](const Bytes&) {
        if (answered++ == 0) {
            Bytes first = framedRegisterReply(1, 0x1111);
            const Bytes trailing =
                framedRegisterReply(1, 0x2222); // looks like a reply, arrives late
            first.insert(first.end(), trailing.begin(), trailing.end());
            return reply(first);
        }
        return reply(framedRegisterReply(1, 0x3333));
    });
    uint16_t value = 0;

    ASSERT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);
    EXPECT_EQ(value, 0x1111);
    ASSERT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);
    EXPECT_EQ(value, 0x3333);
}

TEST(TcpTransport, ReplyArrivingInPiecesIsAssembled) {
    Connected link([](const Bytes&) {
        Answer answer = reply(framedRegisterReply(20, 0x4000));
        answer.pieceSize = 4;
        answer.pieceGapMs = 5;
        return answer;
    });
    std::vector<uint16_t> values(20);

    ASSERT_EQ(link.master.readInputRegisters(1, 1, values.data(), 20), MBUS_SUCCESS);

    EXPECT_EQ(values[0], 0x4000);
    EXPECT_EQ(values[19], 0x4000 + 19);
}

TEST(TcpTransport, SilentServerGivesReplyTimeoutAndTheMasterIsConnectedAgain) {
    std::atomic<int> requests{0};
    Connected link([&](const Bytes&) {
        return requests++ == 0 ? silence() : reply(framedRegisterReply(1, 0x0042));
    });
    uint16_t value = 0;
    const auto start = SteadyClock::now();

    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_REPLY_TIMEOUT);

    EXPECT_GE(millisecondsSince(start), testTimeoutMs - 20);
    EXPECT_TRUE(link.master.isLinkOpen());
    EXPECT_TRUE(link.server.waitForConnections(2));
    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);
    EXPECT_EQ(value, 0x0042);
}

TEST(TcpTransport, RetryAfterTimeoutGoesOverTheFreshConnection) {
    std::atomic<int> requests{0};
    Connected link([&](const Bytes&) {
        return requests++ == 0 ? silence() : reply(framedRegisterReply(1, 0x0043));
    });
    link.master.setRetryCount(1);
    uint16_t value = 0;

    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);

    EXPECT_EQ(value, 0x0043);
    EXPECT_EQ(link.server.connections(), 2);
}

TEST(TcpTransport, SilentServerThatStopsAcceptingLeavesTheMasterClosedWithConnectError) {
    Connected link([](const Bytes&) {
        Answer answer = silence();
        answer.stopListening = true;
        return answer;
    });
    uint16_t value = 0;

    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_TCP_CONNECT_ERROR);

    EXPECT_FALSE(link.master.isLinkOpen());
    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_ILLEGAL_STATE);
}

// The unit may have acted on a request it received before closing, so it is never sent again.
TEST(TcpTransport, ServerThatClosesAfterTheRequestGivesConnectionClosedAndTheMasterStaysOpen) {
    Connected link([](const Bytes&) {
        Answer answer = silence();
        answer.closeAfter = true;
        return answer;
    });
    uint16_t value = 0;

    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_CONNECTION_CLOSED);
    EXPECT_TRUE(link.master.isLinkOpen());
    ASSERT_TRUE(link.server.waitForClientGone());
    // The close is found before the write is sent: the write goes out on a new connection, once.
    EXPECT_EQ(link.master.writeSingleRegister(1, 1, 5), MBUS_CONNECTION_CLOSED);
    EXPECT_TRUE(link.master.isLinkOpen());
    EXPECT_EQ(link.server.connections(), 2);
    EXPECT_EQ(link.server.requests().size(), 2u);
}

// A VTR300 closes a connection idle for longer than its keepalive time.
TEST(TcpTransport, PeerThatClosedWhileIdleIsReconnectedBeforeTheRequestIsSent) {
    const struct {
        bool reset, stopListening;
        int expected, connections;
    } cases[] = {{false, false, MBUS_SUCCESS, 2},           // end of stream
                 {true, false, MBUS_SUCCESS, 2},            // reset
                 {false, true, MBUS_TCP_CONNECT_ERROR, 1}}; // no longer accepting
    for (const auto& c : cases) {
        std::atomic<int> answered{0};
        Connected link([&](const Bytes&) {
            Answer answer = reply(framedRegisterReply(1, static_cast<uint16_t>(answered)));
            answer.closeAfter = answered == 0 && !c.reset;
            answer.resetAfter = answered++ == 0 && c.reset;
            answer.stopListening = c.stopListening;
            return answer;
        });
        uint16_t value = 0;
        ASSERT_EQ(link.master.readInputRegisters(1, 0x1001, &value, 1), MBUS_SUCCESS);
        ASSERT_TRUE(link.server.waitForClientGone());

        EXPECT_EQ(link.master.readInputRegisters(1, 0x1001, &value, 1), c.expected);

        EXPECT_EQ(link.master.isLinkOpen(), c.expected == MBUS_SUCCESS);
        EXPECT_EQ(link.server.connections(), c.connections);
        const auto requests = link.server.requests();
        ASSERT_EQ(requests.size(), static_cast<size_t>(c.connections));
        EXPECT_EQ(requests.back(), requests.front()); // the same frame, sent once on each
        EXPECT_EQ(value, c.connections - 1);
    }
}

TEST(TcpTransport, PeerSendingWithoutPauseCannotHoldTheMasterForever) {
    std::atomic<int> requests{0};
    Connected link([&](const Bytes&) {
        Answer answer = reply(framedRegisterReply(1, 0x0001));
        answer.flood = requests++ == 0;
        return answer;
    });
    uint16_t value = 0;
    ASSERT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);

    // The stream of 0xFF bytes matches no request (130), or the tiny receive buffer throttles it
    // so that the reply behind it comes too late (132): either way the connection is replaced.
    EXPECT_THAT(link.master.readInputRegisters(1, 1, &value, 1),
                AnyOf(MBUS_INVALID_FRAME, MBUS_REPLY_TIMEOUT));

    EXPECT_TRUE(link.server.waitForConnections(2));
    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);
}

TEST(TcpTransport, ZeroTimeoutWaitsForASlowReplyWithoutLimit) {
    Connected link([](const Bytes&) {
        Answer answer = reply(framedRegisterReply(1, 0x0777));
        answer.delayMs = 2 * testTimeoutMs;
        return answer;
    });
    link.master.setTimeout(0);
    uint16_t value = 0;

    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);
    EXPECT_EQ(value, 0x0777);
}

TEST(TcpTransport, SecondConnectToIsAnIllegalStateAndKeepsTheConnection) {
    Connected link([](const Bytes&) { return reply(framedRegisterReply(1, 0x0005)); });
    ASSERT_EQ(link.result, MBUS_SUCCESS);

    EXPECT_EQ(link.master.connectTo("127.0.0.1"), MBUS_ILLEGAL_STATE);

    uint16_t value = 0;
    EXPECT_EQ(link.master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);
    EXPECT_EQ(link.server.connections(), 1);
}

TEST(TcpTransport, HostNameIsLookedUpAsAnIPv4Address) {
    ScriptedTcpServer server([](const Bytes&) { return reply(framedRegisterReply(1, 0x0006)); });
    MbusTcpMasterProtocol master;
    master.setPort(server.port());

    ASSERT_EQ(master.connectTo("localhost"), MBUS_SUCCESS);

    uint16_t value = 0;
    EXPECT_EQ(master.readInputRegisters(1, 1, &value, 1), MBUS_SUCCESS);
}

TEST(TcpTransport, UnresolvableNameGivesConnectErrorWithoutCreatingASocket) {
    MbusTcpMasterProtocol master;
    const size_t before = openDescriptors();

    EXPECT_EQ(master.connectTo("no-such-unit.invalid"), MBUS_TCP_CONNECT_ERROR);
    EXPECT_EQ(master.connectTo(""), MBUS_TCP_CONNECT_ERROR);
    EXPECT_EQ(master.connectTo(nullptr), MBUS_TCP_CONNECT_ERROR);

    EXPECT_EQ(openDescriptors(), before);
    EXPECT_FALSE(master.isLinkOpen());
}

TEST(TcpTransport, RefusedConnectionGivesConnectErrorAndLeavesTheMasterClosed) {
    uint16_t unusedPort = 0;
    {
        ScriptedTcpServer gone([](const Bytes&) { return silence(); });
        unusedPort = gone.port();
    }
    MbusTcpMasterProtocol master;
    master.setPort(unusedPort);
    const size_t before = openDescriptors();

    EXPECT_EQ(master.connectTo("127.0.0.1"), MBUS_TCP_CONNECT_ERROR);

    EXPECT_FALSE(master.isLinkOpen());
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_EQ(master.reconnect(), MBUS_TCP_CONNECT_ERROR);
}

TEST(TcpTransport, ClosedMasterRefusesTransactionsAndReconnectNeedsAPeer) {
    MbusTcpMasterProtocol master;
    uint16_t value = 0;
    EXPECT_EQ(master.getPort(), 502);
    EXPECT_EQ(master.readInputRegisters(1, 1, &value, 1), MBUS_ILLEGAL_STATE);
    EXPECT_EQ(master.reconnect(), MBUS_TCP_CONNECT_ERROR);
    master.closeLink(); // closing a closed master does nothing
    EXPECT_FALSE(master.isLinkOpen());
}

TEST(TcpTransport, CloseLinkAndDestructorReleaseTheSocket) {
    ScriptedTcpServer server([](const Bytes&) { return silence(); });
    const size_t before = openDescriptors();
    {
        MbusTcpMasterProtocol master;
        master.setPort(server.port());
        ASSERT_EQ(master.connectTo("127.0.0.1"), MBUS_SUCCESS);
        ASSERT_TRUE(server.waitForConnections(1));
        master.closeLink();
        EXPECT_FALSE(master.isLinkOpen());
        EXPECT_TRUE(server.waitForClientGone()); // the server's end is closed too
        EXPECT_TRUE(descriptorsReturnTo(before));
        ASSERT_EQ(master.reconnect(), MBUS_SUCCESS); // the peer survives closeLink
        ASSERT_TRUE(server.waitForConnections(2));
    }
    EXPECT_TRUE(server.waitForClientGone());
    EXPECT_TRUE(descriptorsReturnTo(before));
}

TEST(TcpTransport, LengthsBeyondTheFrameAreRejectedBeforeAnyTraffic) {
    Connected link([](const Bytes&) { return silence(); });
    uint8_t data[300] = {};
    EXPECT_EQ(link.master.transactOnce(1, 4, data, 261, data, 4), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(link.master.transactOnce(1, 4, data, 4, data, 261), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(link.master.transact(1, 4, data, -1, data, 4), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_TRUE(link.master.isLinkOpen());
    EXPECT_TRUE(link.server.requests().empty());
}
