#include "sim/Simulator.h"

#include "modbus/MbusRtuMasterProtocol.h"
#include "sim/SimCrc.h"
#include "support/TimedRead.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int replyWaitMs = 5000;
constexpr int silenceWaitMs = 300;

// The master's end of the simulator's pseudo-terminal, raw, for hand-written frames; by
// default at the unit's line settings, 19200 baud with even parity.
class LineClient {
public:
    explicit LineClient(const std::string& path, speed_t speed = B19200, tcflag_t parity = PARENB) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios settings{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::cfsetispeed(&settings, speed);
            ::cfsetospeed(&settings, speed);
            settings.c_cflag =
                (settings.c_cflag & ~static_cast<tcflag_t>(PARENB | PARODD)) | parity;
            settings.c_iflag &= ~static_cast<tcflag_t>(INPCK);
            if ((parity & PARENB) != 0) {
                settings.c_iflag |= INPCK;
            }
            ::tcsetattr(fd_, TCSANOW, &settings);
        }
    }
    ~LineClient() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool open() const { return fd_ >= 0; }

    void send(const Bytes& frame) {
        ASSERT_EQ(::write(fd_, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
    }
    Bytes receive(size_t size, int timeoutMs = replyWaitMs) {
        return readWithDeadline(fd_, size, timeoutMs);
    }
    Bytes exchange(const Bytes& frame, size_t replySize) {
        send(frame);
        return receive(replySize);
    }

private:
    int fd_ = -1;
};

// Slave 0x1F (31), fn 4, address 0x1200, count 1, CRC.
const Bytes readStatus = {0x1F, 0x04, 0x12, 0x00, 0x00, 0x01, 0x37, 0x0C};
// Slave 0x1F, fn 4, 2 bytes, status 0x0000, CRC.
const Bytes statusReply = {0x1F, 0x04, 0x02, 0x00, 0x00, 0x11, 0x32};

struct PtyUnit {
    PtyUnit() {
        started = sim.startRtuPty();
        line = std::make_unique<LineClient>(sim.rtuDevicePath());
    }
    Simulator sim;
    int started = -1;
    std::unique_ptr<LineClient> line;
};

} // namespace

TEST(SimRtuServer, AnswersItsOwnAddressOnAPseudoTerminal) {
    PtyUnit unit;
    ASSERT_EQ(unit.started, 0);
    ASSERT_TRUE(unit.line->open());
    EXPECT_EQ(unit.line->exchange(readStatus, statusReply.size()), statusReply);

    // Slave 0x1F, fn 0x2B (unknown to the unit), 3 data bytes, CRC: exception 1 once the line
    // falls silent.
    EXPECT_EQ(unit.line->exchange({0x1F, 0x2B, 0x0E, 0x01, 0x00, 0xD8, 0x75}, 5),
              (Bytes{0x1F, 0xAB, 0x01, 0xFE, 0xF6}));
}

TEST(SimRtuServer, IgnoresBadCrcAndOtherAddressesLikeASlaveOnASharedLine) {
    PtyUnit unit;
    ASSERT_EQ(unit.started, 0);
    Bytes corrupted = readStatus;
    corrupted[7] ^= 0x01;
    unit.line->send(corrupted);
    EXPECT_TRUE(unit.line->receive(1, silenceWaitMs).empty());
    // Slave 0x1E, fn 4, address 0x1200, count 1, CRC: for another unit.
    unit.line->send({0x1E, 0x04, 0x12, 0x00, 0x00, 0x01, 0x36, 0xDD});
    EXPECT_TRUE(unit.line->receive(1, silenceWaitMs).empty());
    EXPECT_EQ(unit.line->exchange(readStatus, statusReply.size()), statusReply);
    ASSERT_EQ(unit.sim.requestLog().size(), 1u);
}

TEST(SimRtuServer, HearsOnlyAClientAtTheUnitsBaudRateAndParity) {
    Simulator sim;
    ASSERT_EQ(sim.startRtuPty(), 0);
    const struct {
        speed_t speed;
        tcflag_t parity;
        bool answered;
    } lines[] = {
        {B19200, PARENB, true},
        {B9600, PARENB, false},
        {B19200, 0, false},
        {B19200, PARENB | PARODD, false},
    };
    for (const auto& setting : lines) {
        LineClient line(sim.rtuDevicePath(), setting.speed, setting.parity);
        line.send(readStatus);
        EXPECT_EQ(line.receive(statusReply.size(), setting.answered ? replyWaitMs : silenceWaitMs),
                  setting.answered ? statusReply : Bytes{})
            << "speed " << setting.speed << ", parity bits " << setting.parity;
    }
}

TEST(SimRtuServer, PerformsBroadcastWritesWithoutReplying) {
    PtyUnit unit;
    ASSERT_EQ(unit.started, 0);
    ASSERT_EQ(unit.sim.unit().configuration().scanMode, 1);
    // Slave 0 (broadcast), fn 16, address 0x1204, 1 register, 2 bytes, value 0, CRC.
    unit.line->send({0x00, 0x10, 0x12, 0x04, 0x00, 0x01, 0x02, 0x00, 0x00, 0x98, 0x45});
    EXPECT_TRUE(unit.line->receive(1, silenceWaitMs).empty());
    EXPECT_EQ(unit.sim.unit().configuration().scanMode, 0);
}

TEST(SimRtuServer, NewRtuConfigurationMovesTheAddressAfterTheReply) {
    PtyUnit unit;
    ASSERT_EQ(unit.started, 0);
    // Slave 0x1F, fn 16, address 0x1100, 4 registers, 8 bytes: RS232, 19200, even, 0x30; CRC.
    const Bytes configure = {0x1F, 0x10, 0x11, 0x00, 0x00, 0x04, 0x08, 0x00, 0x00,
                             0x00, 0x04, 0x00, 0x02, 0x00, 0x30, 0x44, 0x77};
    // The reply still comes from 0x1F: fn 16, address 0x1100, 4 registers, CRC.
    EXPECT_EQ(unit.line->exchange(configure, 8),
              (Bytes{0x1F, 0x10, 0x11, 0x00, 0x00, 0x04, 0xC7, 0x48}));
    unit.line->send(readStatus);
    EXPECT_TRUE(unit.line->receive(1, silenceWaitMs).empty());
    // Slave 0x3F, fn 4, address 0x1200, count 1, CRC -> 0x3F, fn 4, 2 bytes, 0x0000, CRC.
    EXPECT_EQ(unit.line->exchange({0x3F, 0x04, 0x12, 0x00, 0x00, 0x01, 0x30, 0x6C}, 7),
              (Bytes{0x3F, 0x04, 0x02, 0x00, 0x00, 0x90, 0xF5}));
}

TEST(SimRtuServer, InjectsLineFaults) {
    PtyUnit unit;
    ASSERT_EQ(unit.started, 0);
    unit.sim.faults().setBadCrc(true);
    Bytes reply = unit.line->exchange(readStatus, statusReply.size());
    ASSERT_EQ(reply.size(), statusReply.size());
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 5),
              Bytes(statusReply.begin(), statusReply.begin() + 5));
    EXPECT_NE(reply, statusReply);
    unit.sim.faults().clear();

    unit.sim.faults().setWrongSlave(true);
    reply = unit.line->exchange(readStatus, statusReply.size());
    ASSERT_EQ(reply.size(), statusReply.size());
    EXPECT_EQ(reply[0], 0x20);
    EXPECT_EQ(SimCrc::compute(reply.data(), 5), reply[5] | (reply[6] << 8));
    unit.sim.faults().clear();

    unit.sim.faults().setTrailingGarbage(true);
    reply = unit.line->exchange(readStatus, statusReply.size() + 3);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 7), statusReply);
    EXPECT_EQ(reply.size(), statusReply.size() + 3);
    unit.sim.faults().clear();

    // "close" has no meaning on a serial line: the unit stays silent.
    unit.sim.faults().setCloseConnection(true);
    unit.line->send(readStatus);
    EXPECT_TRUE(unit.line->receive(1, silenceWaitMs).empty());
}

TEST(SimRtuServer, TheProjectMasterTalksToItAtTheNewDocumentDefaults) {
    Simulator sim;
    ASSERT_EQ(sim.startRtuPty(), 0);
    MbusRtuMasterProtocol master;
    ASSERT_EQ(master.openPort(sim.rtuDevicePath().c_str(), 19200, 8, 2, 2), 0);
    master.setTimeout(500);
    uint16_t info[80];
    ASSERT_EQ(master.readInputRegisters(31, 0x1000 + 1, info, 80), 0);
    EXPECT_EQ(info[16], 'V');
    int coil = 0;
    EXPECT_EQ(master.writeSingleCoil(31, 0x0008 + 1, 1), 0);
    EXPECT_EQ(master.readCoils(31, 0x0008 + 1, &coil, 1), 0);
    EXPECT_EQ(coil, 1);

    sim.faults().setBadCrc(true);
    EXPECT_EQ(master.readInputRegisters(31, 0x1200 + 1, info, 1), 129);
    sim.faults().clear();
    sim.faults().setWrongFunction(true);
    EXPECT_EQ(master.readInputRegisters(31, 0x1200 + 1, info, 1), 130);
    sim.faults().clear();
    sim.faults().setSilent(true);
    EXPECT_EQ(master.readInputRegisters(31, 0x1200 + 1, info, 1), 132);
    sim.faults().clear();
    EXPECT_EQ(master.readInputRegisters(31, 0x1200 + 1, info, 1), 0);
    master.closeLink();
}

TEST(SimRtuServer, LineSpeedPacesTheReplyAtTheBaudRate) {
    Simulator sim;
    sim.setLineSpeed(true);
    ASSERT_EQ(sim.startRtuPty(), 0);
    LineClient line(sim.rtuDevicePath());
    // Slave 0x1F, fn 4, address 0x1000, 80 registers, CRC: a 165-byte reply, 11 bits a
    // character at 19200 baud is at least 94 ms on the line.
    const auto start = std::chrono::steady_clock::now();
    const Bytes reply = line.exchange({0x1F, 0x04, 0x10, 0x00, 0x00, 0x50, 0xF7, 0x48}, 165);
    EXPECT_EQ(reply.size(), 165u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(90));
}

TEST(SimRtuServer, StopReleasesThePseudoTerminal) {
    Simulator sim;
    ASSERT_EQ(sim.startRtuPty(), 0);
    const std::string path = sim.rtuDevicePath();
    EXPECT_EQ(::access(path.c_str(), F_OK), 0);
    {
        LineClient line(path);
        EXPECT_EQ(line.exchange(readStatus, statusReply.size()), statusReply);
    }
    // A master that closed and opens again is served again.
    {
        LineClient line(path);
        EXPECT_EQ(line.exchange(readStatus, statusReply.size()), statusReply);
    }
    sim.stop();
    EXPECT_NE(::access(path.c_str(), F_OK), 0);
    EXPECT_EQ(sim.startRtuPty(), 0);
    LineClient again(sim.rtuDevicePath());
    EXPECT_EQ(again.exchange(readStatus, statusReply.size()), statusReply);
}

TEST(SimRtuServer, SetsTheLineOfASerialDeviceFromItsRtuConfiguration) {
    // A pseudo-terminal pair stands in for a serial cable: the unit opens the device side, the
    // test talks on the other end.
    const int cable = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(cable, 0);
    ASSERT_EQ(::grantpt(cable), 0);
    ASSERT_EQ(::unlockpt(cable), 0);
    char device[128];
    ASSERT_EQ(::ptsname_r(cable, device, sizeof device), 0);

    Simulator sim;
    ASSERT_EQ(sim.startRtu(device), 0);
    termios line{};
    ASSERT_EQ(::tcgetattr(cable, &line), 0);
    // A pseudo-terminal keeps the speed but not the parity enable bit, so the speed is what
    // is checked here.
    EXPECT_EQ(::cfgetospeed(&line), B19200);

    auto exchange = [cable](const Bytes& request, size_t replySize) {
        EXPECT_EQ(::write(cable, request.data(), request.size()),
                  static_cast<ssize_t>(request.size()));
        Bytes reply;
        while (reply.size() < replySize) {
            pollfd ready{cable, POLLIN, 0};
            uint8_t chunk[64];
            if (::poll(&ready, 1, replyWaitMs) <= 0) {
                break;
            }
            const ssize_t count =
                ::read(cable, chunk, std::min(sizeof chunk, replySize - reply.size()));
            if (count <= 0) {
                break;
            }
            reply.insert(reply.end(), chunk, chunk + count);
        }
        return reply;
    };
    EXPECT_EQ(exchange(readStatus, statusReply.size()), statusReply);
    // Slave 0x1F, fn 16, address 0x1100, 4 registers, 8 bytes: RS232, 9600 baud, odd parity,
    // high nibble 0x10; CRC. The reply: fn 16, address 0x1100, 4 registers, CRC.
    EXPECT_EQ(exchange({0x1F, 0x10, 0x11, 0x00, 0x00, 0x04, 0x08, 0x00, 0x00, 0x00, 0x03, 0x00,
                        0x01, 0x00, 0x10, 0x00, 0x6F},
                       8),
              (Bytes{0x1F, 0x10, 0x11, 0x00, 0x00, 0x04, 0xC7, 0x48}));
    // The line follows once the reply is out.
    EXPECT_EQ(exchange(readStatus, statusReply.size()), statusReply);
    ASSERT_EQ(::tcgetattr(cable, &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), B9600);
    EXPECT_EQ(line.c_cflag & PARODD, static_cast<tcflag_t>(PARODD));
    sim.stop();
    ::close(cable);
}
