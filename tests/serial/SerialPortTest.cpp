#include "modbus/SerialPort.h"
#include "RtuTestFrames.h"
#include "modbus/MbusError.h"
#include "modbus/MbusRtuMasterProtocol.h"
#include "support/PtyPair.h"
#include "support/ScriptedRtuSlave.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <termios.h>

namespace fs = std::filesystem;
using R = SerialPortResult;

namespace {

constexpr int even = MbusSerialMasterProtocol::parityEven;

bool sameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && ::cfgetispeed(&a) == ::cfgetispeed(&b) &&
           ::cfgetospeed(&a) == ::cfgetospeed(&b) &&
           std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

termios lineSettings(const PtyPair& pty) {
    termios settings{};
    ::tcgetattr(pty.lineFd(), &settings);
    return settings;
}

class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }
    PtyPair pty;
};

} // namespace

TEST(SerialPort, EveryOperationOnAClosedPortSaysNotOpen) {
    SerialPort port;
    uint8_t byte = 0;
    EXPECT_EQ(port.configure(19200, 8, 1, 2), R::PortNotOpen);
    EXPECT_EQ(port.read(&byte, 1, 10), R::PortNotOpen);
    EXPECT_EQ(port.write(&byte, 1, 10), R::PortNotOpen);
    EXPECT_EQ(port.purge(), R::PortNotOpen);
    EXPECT_EQ(port.drain(), R::PortNotOpen);
    EXPECT_EQ(port.setRts(), R::PortNotOpen);
    EXPECT_EQ(port.clearRts(), R::PortNotOpen);
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST(SerialPort, OpenFailuresAreNamedByTheirCause) {
    const struct {
        const char* path;
        R result;
    } cases[] = {
        {"/dev/no-such-serial-port", R::PortNotFound},
        {"/no/such/folder/ttyS0", R::PortNotFound},
        {"/dev/null", R::PortSystemError}, // a device, but not a serial line
    };
    for (const auto& c : cases) {
        SerialPort port;
        EXPECT_EQ(port.open(c.path), c.result) << c.path;
        EXPECT_FALSE(port.isOpen()) << c.path;
    }
}

TEST(RtuMasterOpen, MissingOrNonSerialDeviceIsAnOpenError) {
    MbusRtuMasterProtocol master;
    EXPECT_EQ(master.openPort("/dev/no-such-serial-port", 19200), MBUS_OPEN_ERROR);
    EXPECT_EQ(master.openPort("/dev/null", 19200), MBUS_OPEN_ERROR);
    EXPECT_EQ(master.isLinkOpen(), 0);
}

TEST_F(SerialPortOnPty, DeviceHeldByAnotherOpenIsAlreadyOpenUntilReleased) {
    MbusRtuMasterProtocol holder;
    MbusRtuMasterProtocol second;
    ASSERT_EQ(holder.openPort(pty.path().c_str(), 19200), MBUS_SUCCESS);

    EXPECT_EQ(second.openPort(pty.path().c_str(), 19200), MBUS_PORT_ALREADY_OPEN);
    EXPECT_EQ(second.isLinkOpen(), 0);

    holder.closeLink();
    EXPECT_EQ(second.openPort(pty.path().c_str(), 19200), MBUS_SUCCESS);
}

TEST_F(SerialPortOnPty, OpenWhileOpenIsAnIllegalStateAndKeepsThePort) {
    MbusRtuMasterProtocol master;
    ASSERT_EQ(master.openPort(pty.path().c_str(), 19200), MBUS_SUCCESS);
    EXPECT_EQ(master.openPort(pty.path().c_str(), 9600), MBUS_ILLEGAL_STATE);
    EXPECT_EQ(master.isLinkOpen(), 1);
    const termios settings = lineSettings(pty);
    EXPECT_EQ(::cfgetospeed(&settings), B19200);
}

TEST_F(SerialPortOnPty, OpenSetsARawLineAndCloseRestoresTheSettingsFoundBefore) {
    termios before = lineSettings(pty);
    before.c_lflag |= ICANON | ECHO | ISIG;
    before.c_iflag |= ICRNL | IXON;
    before.c_oflag |= OPOST | ONLCR;
    before.c_cflag |= CSTOPB;
    before.c_cc[VMIN] = 4;
    ::cfsetispeed(&before, B4800);
    ::cfsetospeed(&before, B4800);
    ASSERT_EQ(::tcsetattr(pty.lineFd(), TCSANOW, &before), 0);
    before = lineSettings(pty);

    MbusRtuMasterProtocol master;
    ASSERT_EQ(master.openPort(pty.path().c_str(), 38400, 8, 1, even), MBUS_SUCCESS);
    const termios during = lineSettings(pty);
    EXPECT_EQ(::cfgetospeed(&during), B38400);
    EXPECT_EQ(during.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(during.c_iflag & (ICRNL | IXON | IXOFF), 0u);
    EXPECT_EQ(during.c_oflag & OPOST, 0u);
    EXPECT_EQ(during.c_cflag & (CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(during.c_cflag & CLOCAL, 0u);

    master.closeLink();
    EXPECT_TRUE(sameSettings(lineSettings(pty), before));
}

TEST_F(SerialPortOnPty, RejectedSettingsCloseThePortAgainSoTheNextOpenWorks) {
    const termios before = lineSettings(pty);
    MbusRtuMasterProtocol master;
    const struct {
        const char* name;
        int baud, stopBits, parity;
    } cases[] = {
        {"baud rate without a tty constant", 12345, 1, even},
        {"no baud rate", 0, 1, even},
        {"three stop bits", 19200, 3, even},
        {"parity 3", 19200, 1, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(master.openPort(pty.path().c_str(), c.baud, 8, c.stopBits, c.parity),
                  MBUS_ILLEGAL_ARGUMENT)
            << c.name;
        EXPECT_EQ(master.isLinkOpen(), 0) << c.name;
        EXPECT_TRUE(sameSettings(lineSettings(pty), before)) << c.name;
    }
    EXPECT_EQ(master.openPort(pty.path().c_str(), 19200, 8, 2, even), MBUS_SUCCESS);
}

TEST_F(SerialPortOnPty, SerialMasterAcceptsSevenDataBitsAndAnyStandardRate) {
    SerialPort port;
    ASSERT_EQ(port.open(pty.path().c_str()), R::PortOk);
    const struct {
        int baud, dataBits, stopBits, parity;
    } cases[] = {{1200, 7, 2, 1}, {115200, 8, 1, 0}, {230400, 8, 2, 2}, {300, 7, 1, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(port.configure(c.baud, c.dataBits, c.stopBits, c.parity), R::PortOk) << c.baud;
    }
    EXPECT_EQ(port.configure(19200, 6, 1, 0), R::PortBadSetting);
}

TEST_F(SerialPortOnPty, ReadOfMoreThanArrivesTimesOutAndKeepsWhatCame) {
    SerialPort port;
    ASSERT_EQ(port.open(pty.path().c_str()), R::PortOk);
    const uint8_t two[] = {0xAA, 0xBB};
    ASSERT_EQ(::write(pty.unitFd(), two, sizeof two), 2);
    uint8_t buffer[4] = {};
    EXPECT_EQ(port.read(buffer, 4, 100), R::PortTimeout);
    EXPECT_EQ(buffer[0], 0xAA);
    EXPECT_EQ(buffer[1], 0xBB);
    EXPECT_EQ(port.read(buffer, 0, 100), R::PortOk);
}

TEST_F(SerialPortOnPty, Rs485ModeTakesDelaysUpTo100SecondsOnlyWhileClosed) {
    MbusRtuMasterProtocol master;
    const struct {
        int delay;
        int result;
        bool mode;
    } cases[] = {
        {100, MBUS_SUCCESS, true},
        {100000, MBUS_SUCCESS, true},
        {100001, MBUS_ILLEGAL_ARGUMENT, true}, // unchanged from the case before
        {-1, MBUS_ILLEGAL_ARGUMENT, true},     // taken unsigned: far above the limit
        {0, MBUS_SUCCESS, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(master.setRs485Mode(c.delay), c.result) << c.delay;
        EXPECT_EQ(master.isRs485Mode(), c.mode) << c.delay;
    }
    ASSERT_EQ(master.openPort(pty.path().c_str(), 19200), MBUS_SUCCESS);
    EXPECT_EQ(master.setRs485Mode(10), MBUS_ILLEGAL_STATE);
    EXPECT_FALSE(master.isRs485Mode());
    EXPECT_EQ(master.setRs485Mode(100001), MBUS_ILLEGAL_ARGUMENT);
}

TEST_F(SerialPortOnPty, ComNameOpensThePortItsAliasLinkPointsAt) {
    char pattern[] = "/tmp/vtr-alias-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path root = pattern;
    fs::create_directories(root / "Corvantis" / "VtrConfig");
    fs::create_symlink(pty.path(), root / "Corvantis" / "VtrConfig" / "COM7");
    const char* oldConfigHome = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = oldConfigHome != nullptr ? oldConfigHome : "";
    ::setenv("XDG_CONFIG_HOME", root.c_str(), 1);

    MbusRtuMasterProtocol master;
    ScriptedRtuSlave unit(pty.unitFd());
    unit.expect(8, RtuTestFrames::registerReply(0x01, 80, 0x0042)).start();
    std::vector<uint16_t> values(80);
    EXPECT_EQ(master.openPort("\\\\.\\COM7", 19200, 8, 2, even), MBUS_SUCCESS);
    EXPECT_EQ(master.readInputRegisters(1, 4097, values.data(), 80), MBUS_SUCCESS);
    EXPECT_EQ(values[0], 0x0042);
    unit.finish();

    if (oldConfigHome != nullptr) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    fs::remove_all(root);
}
