#include "modbus/SerialDeviceList.h"
#include "sim/Simulator.h"
#include "support/FakeSerialMachine.h"
#include "support/UnitOffTheDefaults.h"
#include "support/VtrctlRun.h"
#include "tools/vtrctl/PortsCommand.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(VtrctlPorts, ExplainsEachSerialDeviceOfAFakeMachine) {
    FakeSerialMachine machine;
    const auto listing = SerialDeviceList::list(machine.roots);
    const struct {
        const char* name;
        std::vector<int> aliases;
        const char* vendor;
        const char* driver;
        int lockPid;
        int holderPid;
    } expected[] = {
        {"ttyS0", {}, "", "", 0, 0},      {"ttyUSB0", {3}, "0403", "ftdi_sio", 0, 0},
        {"ttyUSB2", {}, "", "", 0, 777},  {"ttyUSB10", {}, "", "", 0, 0},
        {"ttyACM0", {}, "", "", 4242, 0},
    };
    ASSERT_EQ(listing.devices.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& device = listing.devices[i];
        const auto& want = expected[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(device.path, machine.roots.dev + "/" + want.name);
        EXPECT_EQ(device.comAliases, want.aliases);
        EXPECT_EQ(device.vendorId, want.vendor);
        EXPECT_EQ(device.driver, want.driver);
        EXPECT_EQ(device.lockPid, want.lockPid);
        EXPECT_EQ(device.holders.empty() ? 0 : device.holders.front().pid, want.holderPid);
        EXPECT_TRUE(device.canOpen); // our own files
    }
    ASSERT_EQ(listing.strayAliases.size(), 1u);
    EXPECT_EQ(listing.strayAliases[0].number, 9);

    std::ostringstream text;
    PortsCommand::write(listing, false, text);
    const std::string dev = machine.roots.dev;
    EXPECT_NE(text.str().find(dev + "/ttyUSB0  COM3  "), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("can open  free  USB 0403:6001 FTDI FT232R USB UART, serial "
                              "A50285BI  " +
                              dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\n"),
              std::string::npos)
        << text.str();
    EXPECT_NE(text.str().find("open in process 777 (picocom)"), std::string::npos);
    EXPECT_NE(text.str().find("locked by process 4242"), std::string::npos);
    EXPECT_NE(text.str().find("COM9 -> /nonexistent/ttyUSB7  (missing)\n"), std::string::npos);

    std::ostringstream json;
    PortsCommand::write(listing, true, json);
    EXPECT_NE(json.str().find("\"usb\": {\"vendorId\": \"0403\", \"productId\": \"6001\", "
                              "\"manufacturer\": \"FTDI\", \"product\": \"FT232R USB UART\", "
                              "\"serial\": \"A50285BI\"}"),
              std::string::npos)
        << json.str();
    EXPECT_NE(json.str().find("\"lockedBy\": 4242, \"openBy\": [], \"comAliases\": []"),
              std::string::npos);
}

TEST(VtrctlPorts, AccessIsJudgedWithTheCommandThatFixesIt) {
    constexpr gid_t dialout = 20;
    const struct {
        unsigned mode;
        uid_t uid;
        std::vector<gid_t> groups;
        std::vector<std::string> members;
        bool canOpen;
        const char* fix;
    } cases[] = {
        {0660, 0, {}, {}, true, ""},                     // root opens anything
        {0660, 1000, {100, dialout}, {"ann"}, true, ""}, // a member of dialout
        {0660, 1000, {100}, {}, false, "sudo usermod -aG dialout ann (then log in again)"},
        {0660,
         1000,
         {100},
         {"ann"},
         false,
         "log in again to join group dialout (or run: newgrp "
         "dialout)"},
        {0600,
         1000,
         {dialout},
         {"ann"},
         false,
         "its group may not read and write it: ask for a udev rule with MODE=\"0660\""},
        {0666, 1000, {100}, {}, true, ""},
    };
    for (const auto& c : cases) {
        const auto access = SerialDeviceList::judgeAccess(c.mode, 0, dialout, "dialout", c.uid,
                                                          c.groups, "ann", c.members);
        EXPECT_EQ(access.canOpen, c.canOpen) << std::oct << c.mode << " uid " << c.uid;
        EXPECT_EQ(access.fix, c.fix);
    }
}

TEST(VtrctlScan, FindsAUnitAt9600OddAsSlave0x25OnAPseudoTerminal) {
    const SimProfile profile = unitOffTheDefaults();
    Simulator sim(profile);
    ASSERT_EQ(sim.startRtuPty(), 0);
    ASSERT_EQ(sim.unit().rtuLine().slaveAddress, 0x25);

    // The default lists: 19200 with each parity, then 9600 even and none before 9600 odd.
    const VtrctlOutcome outcome =
        runVtrctl({"scan", "--rtu", sim.rtuDevicePath(), "--slave", "0x24-0x26"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "9600 baud  odd parity  slave 37  serial " +
                               profile.identity.serialNumber + "  firmware " +
                               profile.identity.firmwareRevision + "\n");
    EXPECT_NE(outcome.err.find("scan: 1 unit found in "), std::string::npos) << outcome.err;
}

TEST(VtrctlScan, FindsTwoUnitsAmongTenLoopbackAddresses) {
    SimProfile second = SimProfile::richDefault();
    second.identity.serialNumber = "VT3-2";
    Simulator first;
    Simulator other(second);
    ASSERT_EQ(first.startTcp("127.0.0.22", 0), 0);
    const uint16_t port = first.tcpPort();
    ASSERT_EQ(other.startTcp("127.0.0.27", port), 0);

    const VtrctlOutcome outcome =
        runVtrctl({"scan", "--tcp", "127.0.0.20-29:" + std::to_string(port), "--jobs", "4"});
    const std::string firmware = "  firmware " + second.identity.firmwareRevision + "\n";
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "127.0.0.22:" + std::to_string(port) + "  serial " +
                               SimProfile::richDefault().identity.serialNumber + firmware +
                               "127.0.0.27:" + std::to_string(port) + "  serial VT3-2" + firmware);

    const VtrctlOutcome json =
        runVtrctl({"scan", "--tcp", "127.0.0.27:" + std::to_string(port), "--json"});
    EXPECT_EQ(json.out, "[\n  {\"address\": \"127.0.0.27\", \"port\": " + std::to_string(port) +
                            ", \"slave\": 1, \"manufacturer\": \"Vantrel\", \"modelNumber\": "
                            "\"VTR300\", \"serialNumber\": \"VT3-2\", \"firmwareRevision\": \"" +
                            second.identity.firmwareRevision + "\", \"identityError\": null}\n]\n");
}

TEST(VtrctlScan, RefusesOptionsThatDoNotMakeASearch) {
    const struct {
        std::vector<std::string> arguments;
        const char* problem;
    } cases[] = {
        {{"scan"}, "give --rtu DEVICE or --tcp"},
        {{"scan", "--rtu", "COM1", "--tcp", "127.0.0.1"}, "give --rtu DEVICE or --tcp"},
        {{"scan", "--tcp", "127.0.0.1-127.0.16.1"}, "at most 4096 addresses"},
        {{"scan", "--tcp", "127.0.0.9-3"}, "the last address comes before the first"},
        {{"scan", "--tcp", "127.0.0.1:0"}, "must be a number from 1 to 65535"},
        {{"scan", "--tcp", "127.0.0.1", "--all"}, "belong to --rtu"},
        {{"scan", "--tcp", "127.0.0.1", "--jobs", "0"}, "--jobs: '0'"},
        {{"scan", "--rtu", "COM1", "--baud", "19200,1000"}, "'1000' is not one of"},
        {{"scan", "--rtu", "COM1", "--parity", "mark"}, "'mark' is not none, odd or even"},
        {{"scan", "--rtu", "COM1", "--slave", "0-5"}, "is not FIRST[-LAST] within 1-247"},
    };
    for (const auto& c : cases) {
        const VtrctlOutcome outcome = runVtrctl(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.problem;
        EXPECT_NE(outcome.err.find(c.problem), std::string::npos) << outcome.err;
    }
}
