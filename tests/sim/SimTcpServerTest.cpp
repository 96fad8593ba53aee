#include "sim/Simulator.h"

#include "modbus/MbusTcpMasterProtocol.h"
#include "support/TimedRead.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int replyWaitMs = 5000;  // generous: the machine may be loaded
constexpr int silenceWaitMs = 300; // how long "no reply" is watched for

// A plain socket client that sends hand-written frames and collects what comes back.
class RawClient {
public:
    explicit RawClient(uint16_t port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawClient() { ::close(fd_); }
    bool connected() const { return connected_; }

    void send(const Bytes& frame) {
        ASSERT_EQ(::send(fd_, frame.data(), frame.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(frame.size()));
    }
    // Reads until `size` bytes are in, the peer closes, or `timeoutMs` passes.
    Bytes receive(size_t size, int timeoutMs = replyWaitMs) {
        return readWithDeadline(fd_, size, timeoutMs, &closedByPeer_);
    }
    Bytes exchange(const Bytes& frame, size_t replySize) {
        send(frame);
        return receive(replySize);
    }
    bool closedByPeer() const { return closedByPeer_; }

private:
    int fd_ = -1;
    bool connected_ = false;
    bool closedByPeer_ = false;
};

// Transaction 0x0102, protocol 0, length 6, unit 1, fn 4, address 0x1200, count 1.
const Bytes readStatus = {0x01, 0x02, 0x00, 0x00, 0x00, 0x06, 0x01, 0x04, 0x12, 0x00, 0x00, 0x01};
// Transaction 0x0102, protocol 0, length 5, unit 1, fn 4, byte count 2, status 0x0000.
const Bytes statusReply = {0x01, 0x02, 0x00, 0x00, 0x00, 0x05, 0x01, 0x04, 0x02, 0x00, 0x00};

} // namespace

TEST(SimTcpServer, StartsOnAnEphemeralPortAndStopsCleanly) {
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);
    const uint16_t port = sim.tcpPort();
    ASSERT_NE(port, 0);
    {
        RawClient client(port);
        ASSERT_TRUE(client.connected());
        EXPECT_EQ(client.exchange(readStatus, statusReply.size()), statusReply);
        sim.stop(); // with a client still connected
    }
    RawClient late(port);
    EXPECT_FALSE(late.connected());
    // And it starts again.
    ASSERT_EQ(sim.startTcp(), 0);
    RawClient again(sim.tcpPort());
    EXPECT_EQ(again.exchange(readStatus, statusReply.size()), statusReply);
}

TEST(SimTcpServer, AnswersHandWrittenFramesEchoingTransactionAndUnit) {
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);
    RawClient client(sim.tcpPort());
    // Transaction 0xBEEF, protocol 0, length 6, unit 0x11, fn 4, address 0x1202, count 2.
    const Bytes check = {0xBE, 0xEF, 0x00, 0x00, 0x00, 0x06, 0x11, 0x04, 0x12, 0x02, 0x00, 0x02};
    // Same transaction, length 7, unit 0x11, fn 4, 4 bytes: 0x5654 0x0300.
    const Bytes checkReply = {0xBE, 0xEF, 0x00, 0x00, 0x00, 0x07, 0x11,
                              0x04, 0x04, 0x56, 0x54, 0x03, 0x00};
    EXPECT_EQ(client.exchange(check, checkReply.size()), checkReply);

    // Two requests in one segment are both answered, in order.
    Bytes twice = readStatus;
    twice.insert(twice.end(), check.begin(), check.end());
    client.send(twice);
    EXPECT_EQ(client.receive(statusReply.size()), statusReply);
    EXPECT_EQ(client.receive(checkReply.size()), checkReply);

    // Unit 1, fn 0x2B (not supported), 2 data bytes: exception 1.
    const Bytes unknown = {0x00, 0x07, 0x00, 0x00, 0x00, 0x04, 0x01, 0x2B, 0x0E, 0x01};
    const Bytes unknownReply = {0x00, 0x07, 0x00, 0x00, 0x00, 0x03, 0x01, 0xAB, 0x01};
    EXPECT_EQ(client.exchange(unknown, unknownReply.size()), unknownReply);

    ASSERT_EQ(sim.requestLog().size(), 4u);
    EXPECT_EQ(sim.requestLog()[0].label, "Communication Check");
    EXPECT_EQ(sim.requestLog()[0].slave, 0x11);
    EXPECT_EQ(sim.requestLog()[1].label, "Status Register");
}

TEST(SimTcpServer, ServesSeveralClientsAtOnce) {
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);
    RawClient first(sim.tcpPort());
    RawClient second(sim.tcpPort());
    first.send(readStatus);
    second.send(readStatus);
    EXPECT_EQ(second.receive(statusReply.size()), statusReply);
    EXPECT_EQ(first.receive(statusReply.size()), statusReply);
}

TEST(SimTcpServer, DropsAClientWhoseHeaderIsOutOfStep) {
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);
    RawClient client(sim.tcpPort());
    // Length field 0x0400: longer than any Modbus frame.
    client.send({0x00, 0x01, 0x00, 0x00, 0x04, 0x00, 0x01, 0x04});
    EXPECT_TRUE(client.receive(1).empty());
    EXPECT_TRUE(client.closedByPeer());

    // Protocol identifier 1 is not Modbus: ignored, the connection stays.
    RawClient other(sim.tcpPort());
    other.send({0x00, 0x01, 0x00, 0x01, 0x00, 0x06, 0x01, 0x04, 0x12, 0x00, 0x00, 0x01});
    EXPECT_EQ(other.exchange(readStatus, statusReply.size()), statusReply);
}

TEST(SimTcpServer, InjectsEachFaultKind) {
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);

    RawClient client(sim.tcpPort());
    sim.faults().setWrongSlave(true);
    Bytes reply = client.exchange(readStatus, statusReply.size());
    ASSERT_EQ(reply.size(), statusReply.size());
    EXPECT_EQ(reply[6], 0x02); // unit identifier 2, not 1 (and never 0)
    sim.faults().clear();

    sim.faults().setWrongFunction(true);
    reply = client.exchange(readStatus, statusReply.size());
    ASSERT_EQ(reply.size(), statusReply.size());
    EXPECT_EQ(reply[7], 0x05);
    sim.faults().clear();

    sim.faults().setTrailingGarbage(true);
    reply = client.exchange(readStatus, statusReply.size() + 3);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 11), statusReply);
    EXPECT_EQ(Bytes(reply.begin() + 11, reply.end()), (Bytes{0xDE, 0xAD, 0x55}));
    sim.faults().clear();

    sim.faults().addException(0x1200, 0x1200, 6);
    // Header with length 3, unit 1, fn 0x84, exception 6.
    EXPECT_EQ(client.exchange(readStatus, 9),
              (Bytes{0x01, 0x02, 0x00, 0x00, 0x00, 0x03, 0x01, 0x84, 0x06}));
    sim.faults().clear();

    sim.faults().setDelayMs(200);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.exchange(readStatus, statusReply.size()), statusReply);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    sim.faults().clear();

    sim.faults().setSilent(true);
    client.send(readStatus);
    EXPECT_TRUE(client.receive(1, silenceWaitMs).empty());
    EXPECT_FALSE(client.closedByPeer());
    sim.faults().clear();
    EXPECT_EQ(client.exchange(readStatus, statusReply.size()), statusReply);

    sim.faults().setCloseConnection(true);
    client.send(readStatus);
    EXPECT_TRUE(client.receive(1).empty());
    EXPECT_TRUE(client.closedByPeer());
}

TEST(SimTcpServer, TheProjectMasterReadsAndWritesThroughIt) {
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);
    MbusTcpMasterProtocol master;
    master.setPort(sim.tcpPort());
    ASSERT_EQ(master.connectTo("127.0.0.1"), 0);

    uint16_t info[80];
    ASSERT_EQ(master.readInputRegisters(1, 0x1000 + 1, info, 80), 0);
    EXPECT_EQ(info[0], 'V');
    EXPECT_EQ(master.writeSingleRegister(1, 0x0008 + 1, 1234), 0);
    EXPECT_EQ(sim.unit().analogOutputValue(8), 1234);
    int coils[16];
    EXPECT_EQ(master.readCoils(1, 0x8100 + 1, coils, 16), 0);
    EXPECT_EQ(master.readInputRegisters(1, 0x8AC0 + 1, info, 64), 160 | 4);

    // A unit that stops answering times out; one that closes ends the connection.
    master.setTimeout(200);
    sim.faults().setSilent(true);
    EXPECT_EQ(master.readInputRegisters(1, 0x1200 + 1, info, 1), 132);
    sim.faults().clear();
    EXPECT_EQ(master.readInputRegisters(1, 0x1200 + 1, info, 1), 0);
    sim.faults().setCloseConnection(true);
    EXPECT_EQ(master.readInputRegisters(1, 0x1200 + 1, info, 1), 69);
    master.closeLink();
}

TEST(SimTcpServer, SixteenIdleClientsDoNotLockOutASeventeenth) {
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);
    std::vector<std::unique_ptr<RawClient>> idle;
    for (size_t i = 0; i < 16; ++i) {
        idle.push_back(std::make_unique<RawClient>(sim.tcpPort()));
        ASSERT_TRUE(idle.back()->connected());
    }
    // Clients are accepted in connection order, so the first one has been idle longest.
    RawClient newcomer(sim.tcpPort());
    EXPECT_EQ(newcomer.exchange(readStatus, statusReply.size()), statusReply);
    EXPECT_TRUE(idle.front()->receive(1).empty());
    EXPECT_TRUE(idle.front()->closedByPeer());
    EXPECT_EQ(idle.back()->exchange(readStatus, statusReply.size()), statusReply);
}

TEST(SimTcpServer, ClosesAConnectionIdleForLongerThanTheUnitsKeepaliveUnlessToldToKeepIt) {
    for (const bool keepIdle : {false, true}) {
        SCOPED_TRACE(keepIdle ? "idle connections kept" : "the unit's keepalive");
        SimProfile profile = SimProfile::richDefault();
        profile.tcp[0].keepaliveMs = 200;
        Simulator sim(profile);
        sim.setKeepIdleConnections(keepIdle);
        ASSERT_EQ(sim.startTcp(), 0);
        RawClient client(sim.tcpPort());
        EXPECT_EQ(client.exchange(readStatus, statusReply.size()), statusReply);
        // Kept: waiting three keepalive times is enough to see that it is not closed.
        EXPECT_TRUE(client.receive(1, keepIdle ? 600 : replyWaitMs).empty());
        EXPECT_EQ(client.closedByPeer(), !keepIdle);
        if (keepIdle) {
            EXPECT_EQ(client.exchange(readStatus, statusReply.size()), statusReply);
        }
    }
}
