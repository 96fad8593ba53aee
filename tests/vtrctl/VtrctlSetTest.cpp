#include "dialogs/CCfgAnaOutOptsDlg.h"
#include "dialogs/CCfgAnaScanParmsDlg.h"
#include "dialogs/CCfgTcpParmsDlg.h"
#include "dialogs/ScanListText.h"
#include "sim/Simulator.h"
#include "support/VtrctlRun.h"
#include "tools/vtrctl/ConfigureCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::HasSubstr;

namespace {

using Words = std::vector<std::string>;

Words sixteen(const std::string& first, const std::string& rest) {
    Words words{first};
    words.insert(words.end(), 15, rest);
    return words;
}

Words join(Words head, const Words& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(VtrctlSet, ValuesAreJudgedByTheDialogsRulesAndRefusedWithTheirMessages) {
    using Kind = ConfigureCommand::Kind;
    const struct {
        Kind kind;
        Words words;
        std::string problem; // empty: accepted; otherwise a part of the reason
    } cases[] = {
        {Kind::set,
         {"rtu", "interface=rs485-2wire", "baud=9600", "parity=odd", "slave-high=0x30"},
         ""},
        {Kind::set, {"rtu"}, ""},
        {Kind::set, {"rtu", "baud=9601"}, "baud: '9601' is not one of 1200|2400"},
        {Kind::set, {"rtu", "slave-high=0x31"}, "slave-high"},
        {Kind::set, {"rtu", "speed=1"}, "'speed=1' is not one of"},
        {Kind::set, {"rtu", "parity=odd", "parity=even"}, "parity is given twice"},
        {Kind::set, {"tcp", "1", "ip=0xC0.168.1.255", "mask=255.0.255.0", "keepalive=0x1C20"}, ""},
        {Kind::set, {"tcp", "0", "ip=192.168.1.256"}, CCfgTcpParmsDlg::ipAddressMessage},
        {Kind::set, {"tcp", "0", "ip=192.168.1"}, CCfgTcpParmsDlg::ipAddressMessage},
        {Kind::set, {"tcp", "0", "mask=255.255..0"}, CCfgTcpParmsDlg::subnetMaskMessage},
        {Kind::set, {"tcp", "0", "gateway=1.2.3.4.5"}, CCfgTcpParmsDlg::gatewayMessage},
        {Kind::set, {"tcp", "0", "keepalive=65536"}, CCfgTcpParmsDlg::keepaliveMessage},
        // Numbers are whole words, where a dialog would read 1, 5 and 0.
        {Kind::set, {"tcp", "0", "keepalive=1e3"}, CCfgTcpParmsDlg::keepaliveMessage},
        {Kind::set, {"tcp", "0", "keepalive=-0x1"}, CCfgTcpParmsDlg::keepaliveMessage},
        {Kind::set, {"tcp", "0", "ip=192.168.1.5x"}, CCfgTcpParmsDlg::ipAddressMessage},
        {Kind::set, {"scan-parameters", "interval=5x"}, CCfgAnaScanParmsDlg::intervalMessage},
        {Kind::set,
         {"scan-parameters", "list=3, 17x"},
         ScanListText::message({ScanListText::Result::InvalidEntry, 1})},
        {Kind::set, {"default-output", "0", "8", "-0x1"}, CCfgAnaOutOptsDlg::defaultOutputMessage},
        {Kind::set, {"default-output", "0", "8", "0xFFFF"}, ""},
        {Kind::set, {"tcp", "2"}, "INDEX"},
        {Kind::set, {"scan-mode", "user-defined"}, ""},
        {Kind::set, {"scan-mode", "fast"}, "continuous|user-defined"},
        {Kind::set, {"scan-parameters", "interval=0x0064", "count=3", "list=3, 17;0x20"}, ""},
        {Kind::set, {"scan-parameters", "list="}, ""},
        {Kind::set,
         {"scan-parameters", "interval=70000", "list=12"},
         CCfgAnaScanParmsDlg::intervalMessage},
        {Kind::set, {"scan-parameters", "count=-1"}, CCfgAnaScanParmsDlg::countMessage},
        {Kind::set,
         {"scan-parameters", "list=1,2,64"},
         ScanListText::message({ScanListText::Result::InvalidEntry, 2})},
        {Kind::set, join({"analog-states", "3"}, sixteen("output", "vacant")), ""},
        {Kind::set, join({"analog-states", "4"}, sixteen("input", "input")), "PANEL"},
        {Kind::set, {"analog-states", "0", "input"}, "16 channel states"},
        {Kind::set, join({"digital-states", "7"}, sixteen("on", "input")), "state: 'on'"},
        {Kind::set, {"average-weight", "1", "15", "15"}, ""},
        {Kind::set, {"average-weight", "1", "16", "2"}, "CHANNEL"},
        {Kind::set, {"average-weight", "1", "2", "16"}, "INDEX"},
        {Kind::set, {"default-output", "0", "8", "0x8000"}, ""},
        {Kind::set, {"default-output", "0", "8", "32768"}, CCfgAnaOutOptsDlg::defaultOutputMessage},
        {Kind::set, {"digital-output", "7", "15", "1"}, ""},
        {Kind::set, {"digital-output", "7", "15", "2"}, "digital-output"},
        {Kind::set, {"modbus"}, "is not one of rtu, tcp"},
        {Kind::reset, {"analog"}, ""},
        {Kind::reset, {"digital", "7"}, ""},
        {Kind::reset, {"digital", "8"}, "PANEL"},
        {Kind::reset, {"digital"}, "'analog' or 'digital PANEL'"},
    };
    for (const auto& c : cases) {
        ConfigureCommand command;
        command.kind = c.kind;
        command.words = c.words;
        std::string problem;
        const bool accepted = command.check(problem);
        EXPECT_EQ(accepted, c.problem.empty()) << c.words[0] << ' ' << c.words.back();
        EXPECT_THAT(problem, HasSubstr(c.problem)) << c.words[0] << ' ' << c.words.back();
    }
}

class VtrctlSetOnUnit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(sim.startTcp(), 0); }

    VtrctlOutcome vtrctl(const Words& words) {
        return runVtrctl(join({"--tcp", "127.0.0.1:" + std::to_string(sim.tcpPort())}, words));
    }
    std::string json() { return vtrctl({"show", "--json"}).out; }

    Simulator sim;
};

TEST_F(VtrctlSetOnUnit, ARefusedValueEndsBeforeAnyTraffic) {
    const VtrctlOutcome outcome = vtrctl({"set", "default-output", "0", "8", "-32769"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_THAT(outcome.err, HasSubstr(CCfgAnaOutOptsDlg::defaultOutputMessage));
    EXPECT_TRUE(sim.requestLog().empty());
}

TEST_F(VtrctlSetOnUnit, EachBlockIsWrittenAndReadBack) {
    const struct {
        Words set;
        std::string printed;  // a row of the tree printed after the write
        std::string readBack; // a part of show --json afterwards
    } cases[] = {
        {{"set", "tcp", "0", "ip=10.1.2.3", "keepalive=1500"},
         "IP Address = 10.1.2.3",
         "\"ipAddress\": \"10.1.2.3\""},
        {{"set", "scan-parameters", "interval=40", "list=5,17"},
         "Scan Interval (ms) = 40",
         "\"scanIntervalMs\": 40"},
        {{"set", "scan-mode", "continuous"}, "Scan Mode = Continuous", "\"analogScanMode\": 0"},
        {join({"set", "analog-states", "2"}, sixteen("output", "vacant")), "Channel 0 : Output",
         "[2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]"},
        {{"set", "default-output", "2", "0", "-5"}, "Default Output = -5", "-5"},
        {{"set", "average-weight", "1", "2", "5"}, "Average Weight = 32", ""},
        {join({"set", "digital-states", "1"}, sixteen("input", "output")), "Channel 0 : Input",
         "[1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2]"},
        {{"set", "digital-output", "1", "3", "1"}, "Default Output = 1", ""},
        {{"set", "rtu", "baud=9600", "slave-high=0x30"}, "Baud Rate = 9600", "\"slaveIdHigh\": 48"},
        {{"reset", "digital", "1"}, "Digital Panel 1", ""},
    };
    for (const auto& c : cases) {
        const VtrctlOutcome outcome = vtrctl(c.set);
        EXPECT_EQ(outcome.status, 0) << c.set[1] << ": " << outcome.err;
        EXPECT_THAT(outcome.out, HasSubstr(c.printed)) << c.set[1];
        EXPECT_THAT(json(), HasSubstr(c.readBack)) << c.set[1];
    }
}

// Fields left out come from the block as the unit holds it, never from the dialogs' defaults.
TEST_F(VtrctlSetOnUnit, ABlockThatCouldNotBeReadIsWrittenOnlyWhole) {
    const struct {
        uint16_t unreadable; // read with the block, not written
        Words set;
        const char* refusal; // null: written
    } cases[] = {
        {0x1117, {"set", "tcp", "0", "keepalive=5000"}, "set: TCP Configuration could not"},
        {0x1117,
         {"set", "tcp", "0", "ip=10.0.0.5", "mask=255.0.0.0", "gateway=10.0.0.1", "keepalive=50"},
         nullptr},
        {0x1127, {"set", "tcp", "1", "gateway=10.0.0.1"}, "set: TCP Configuration 2 could not"},
        {0x1100, {"set", "rtu", "parity=odd"}, "set: RTU Configuration could not"},
        {0x1340, {"set", "scan-parameters", "interval=40"}, "set: User-Defined Scan Parameters"},
    };
    for (const auto& c : cases) {
        sim.faults().clear();
        sim.faults().addException(c.unreadable, c.unreadable, 4);
        sim.clearRequestLog();

        const VtrctlOutcome outcome = vtrctl(c.set);

        EXPECT_EQ(outcome.status, c.refusal ? 1 : 0) << c.set[1] << ": " << outcome.err;
        EXPECT_THAT(outcome.err, HasSubstr(c.refusal ? c.refusal : "")) << c.set[1];
        EXPECT_EQ(sim.requestLog().back().function == 0x10, !c.refusal) << c.set[1];
    }
}

TEST_F(VtrctlSetOnUnit, ScanParametersUnderContinuousScanKeepWhatTheUnitHolds) {
    SimProfile unit = sim.unit().configuration();
    unit.scanMode = 0;
    sim.unit().setConfiguration(unit);

    EXPECT_EQ(vtrctl({"set", "scan-parameters", "count=7"}).status, 0);

    const SimProfile written = sim.unit().configuration();
    EXPECT_EQ(written.scanCount, 7);
    EXPECT_EQ(written.scanIntervalMs, unit.scanIntervalMs);
    EXPECT_EQ(written.scanList, unit.scanList);
}

TEST_F(VtrctlSetOnUnit, AWriteTheUnitRefusesExitsWithTheConfigureError) {
    sim.faults().addException(0x1204, 0x1204, 4);
    const VtrctlOutcome outcome = vtrctl({"set", "scan-mode", "user-defined"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_THAT(outcome.err, HasSubstr("Configure Error: Failed to configure Analog Scan Mode!"));

    // The unit took the reset, but what it holds after its restart could not be read.
    sim.faults().addException(0x1110, 0x1110, 4);
    const VtrctlOutcome reset = vtrctl({"reset", "analog"});
    EXPECT_EQ(reset.status, 1);
    EXPECT_THAT(reset.err, HasSubstr("Waiting for Vantrel to boot....\nRead Error: "));
}

} // namespace
