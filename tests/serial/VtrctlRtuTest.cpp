#include "RtuTestFrames.h"
#include "modbus/MbusSerialMasterProtocol.h"
#include "modbus/SerialPort.h"
#include "support/PtyPair.h"
#include "support/ScriptedRtuSlave.h"
#include "support/VtrctlRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using namespace RtuTestFrames;

namespace {

using Outcome = VtrctlOutcome;

Outcome vtrctl(const std::vector<std::string>& arguments) {
    return runVtrctl(arguments);
}

std::vector<std::string> joined(std::vector<std::string> front,
                                const std::vector<std::string>& back) {
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

class VtrctlOverRtu : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }
    std::vector<std::string> rtu(const std::vector<std::string>& rest) {
        return joined({"--rtu", pty.path()}, rest);
    }
    PtyPair pty;
};

} // namespace

TEST_F(VtrctlOverRtu, ReadPrintsTheValuesOfTheEightByteRequestsReply) {
    ScriptedRtuSlave unit(pty.unitFd());
    unit.expect(8, registerReply(0x01, 3, 0x1000)).start();

    const Outcome outcome = vtrctl(rtu({"read-input-registers", "4097", "3"}));

    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "4096 4097 4098\n");
    EXPECT_EQ(outcome.err, "");
    const auto seen = unit.finish();
    ASSERT_EQ(seen.requests.size(), 1u);
    //                                     slave function address    count       CRC
    EXPECT_THAT(seen.requests[0], ElementsAre(0x01, 0x04, 0x10, 0x00, 0x00, 0x03, 0xB4, 0xCB));
}

TEST_F(VtrctlOverRtu, WriteGoesToTheChosenSlaveAndPrintsNothing) {
    ScriptedRtuSlave unit(pty.unitFd());
    //                            slave function address    value
    unit.expect(8, withCrc({0x09, 0x06, 0x00, 0x04, 0xBE, 0xEF})).start();

    const Outcome outcome = vtrctl(rtu({"--slave", "9", "write-single-register", "5", "0xBEEF"}));

    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
    const auto seen = unit.finish();
    ASSERT_EQ(seen.requests.size(), 1u);
    EXPECT_THAT(seen.requests[0], ElementsAreArray(withCrc({0x09, 0x06, 0x00, 0x04, 0xBE, 0xEF})));
}

TEST_F(VtrctlOverRtu, LineOptionsReachThePortAndDefaultTo19200With1StopBit) {
    const struct {
        std::vector<std::string> options;
        speed_t speed;
        bool twoStopBits;
    } cases[] = {
        {{}, B19200, false},
        {{"--baud", "115200", "--stop-bits", "2", "--parity", "odd"}, B115200, true},
        {{"--baud", "1200", "--parity", "none", "--data-bits", "8"}, B1200, false},
        {{"--baud", "9600", "--rs485-delay", "3"}, B9600, false},
    };
    for (const auto& c : cases) {
        ScriptedRtuSlave unit(pty.unitFd());
        unit.watchLine(pty.lineFd()).expect(8, registerReply(0x01, 1, 0x0007)).start();

        const Outcome outcome = vtrctl(rtu(joined(c.options, {"read-input-registers", "1", "1"})));

        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.out, "7\n");
        const auto seen = unit.finish();
        ASSERT_TRUE(seen.lineAtFirstRequest.has_value());
        EXPECT_EQ(::cfgetospeed(&*seen.lineAtFirstRequest), c.speed);
        EXPECT_EQ((seen.lineAtFirstRequest->c_cflag & CSTOPB) != 0, c.twoStopBits);
    }
}

TEST_F(VtrctlOverRtu, FailuresPrintTheMastersCodeAndTextAndExitOne) {
    SerialPort holder;
    PtyPair held;
    ASSERT_EQ(holder.open(held.path().c_str()), SerialPortResult::PortOk);
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--rtu", "/dev/no-such-serial-port"}, "error 66: Port or socket open error\n"},
        {{"--rtu", held.path()}, "error 67: Serial port already open\n"},
        {{"--rtu", pty.path(), "--data-bits", "7"}, "error 1: Illegal argument error\n"},
        {{"--rtu", pty.path(), "--baud", "12345"}, "error 1: Illegal argument error\n"},
        {{"--rtu", pty.path(), "--rs485-delay", "100001"}, "error 1: Illegal argument error\n"},
        {{"--rtu", pty.path(), "--timeout", "100"}, "error 132: Reply time-out\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = vtrctl(joined(c.arguments, {"read-coils", "1", "1"}));
        EXPECT_EQ(outcome.status, 1) << c.arguments[1];
        EXPECT_EQ(outcome.err, c.error) << c.arguments[1];
        EXPECT_EQ(outcome.out, "");
    }

    ScriptedRtuSlave unit(pty.unitFd());
    //                   slave function+80 code CRC
    unit.expect(8, withCrc({0x01, 0x81, 0x02})).start();
    const Outcome exception = vtrctl(rtu({"read-coils", "1", "1"}));
    EXPECT_EQ(exception.status, 1);
    EXPECT_EQ(exception.err, "error 162: Illegal Data Address exception response\n");
    unit.finish();
}

TEST_F(VtrctlOverRtu, MalformedSerialOptionsAreUsageErrorsWithoutTraffic) {
    const std::string device = pty.path();
    const std::vector<std::vector<std::string>> cases = {
        {"--rtu", device, "--parity", "mark"},
        {"--rtu", device, "--parity", "EVEN"},
        {"--rtu", device, "--stop-bits", "3"},
        {"--rtu", device, "--data-bits", "9"},
        {"--rtu", device, "--baud", "fast"},
        {"--rtu", device, "--baud", "0"},
        {"--rtu", device, "--baud", "-9600"},
        {"--rtu", device, "--rs485-delay", "soon"},
        {"--rtu", device, "--tcp", "127.0.0.1"},
        {"--tcp", "127.0.0.1", "--baud", "9600"},
        {"--rtu", ""},
    };
    for (const auto& c : cases) {
        const Outcome outcome = vtrctl(joined(c, {"read-coils", "1", "1"}));
        std::string line;
        for (const auto& argument : c) {
            line += argument + ' ';
        }
        EXPECT_EQ(outcome.status, 2) << line;
        EXPECT_THAT(outcome.err, HasSubstr("usage: vtrctl")) << line;
        EXPECT_EQ(outcome.out, "") << line;
    }
    uint8_t byte = 0;
    EXPECT_EQ(::read(pty.unitFd(), &byte, 1), -1) << "something was sent";
}

TEST(VtrctlHelp, DocumentsTheSerialOptions) {
    const Outcome outcome = vtrctl({"--help"});
    EXPECT_EQ(outcome.status, 0);
    for (const char* text : {"--rtu", "--baud", "--parity", "--data-bits", "--stop-bits",
                             "--rs485-delay", "none|odd|even"}) {
        EXPECT_THAT(outcome.out, HasSubstr(text));
    }
}
