#include "device/RegisterMap.h"
#include "sim/SimProfileLoader.h"
#include "sim/Simulator.h"
#include "support/VtrctlRun.h"
#include "tree/TrafficMeaning.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

enum class Link { tcp, rtu };

SimProfile exampleProfile(const std::string& name) {
    SimProfile profile;
    std::string message;
    EXPECT_EQ(
        SimProfileLoader::loadFile(std::string(VTR_EXAMPLES_DIR) + "/" + name, profile, message), 0)
        << message;
    return profile;
}

// vtrctl's link options for a simulated unit already started on `link`.
std::vector<std::string> linkArguments(Simulator& sim, Link link, const SimProfile& profile) {
    if (link == Link::tcp) {
        return {"--tcp", "127.0.0.1:" + std::to_string(sim.tcpPort())};
    }
    return {"--rtu", sim.rtuDevicePath(), "--slave", std::to_string(profile.slaveAddress)};
}

VtrctlOutcome showJson(Simulator& sim, Link link, const SimProfile& profile) {
    std::vector<std::string> arguments = linkArguments(sim, link, profile);
    arguments.insert(arguments.end(), {"show", "--json"});
    return runVtrctl(arguments);
}

class ShowJson : public ::testing::TestWithParam<Link> {
protected:
    bool start(Simulator& sim) {
        return GetParam() == Link::tcp ? sim.startTcp() == 0 : sim.startRtuPty() == 0;
    }
};
using ShowTree = ShowJson;

} // namespace

TEST_P(ShowJson, PrintsTheExampleUnitsBlockByBlock) {
    struct Case {
        const char* name;
        SimProfile profile;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"default",
         SimProfile::richDefault(),
         {"\"tcpConfiguration2\": {", "\"scanParameters\": {", "\"scanList\": [",
          // digital panels 0 and 1 fitted, 2 bypassed, the rest not fitted
          "\"digitalPanelBypass\": [0, 0, ", "\"digitalOutputOptions\": [\n    [",
          "\"macAddress\": \"", "\"ipAddress\": \""},
         {"\"tcpConfiguration2\": null", "\"scanParameters\": null"}},
        {"minimal",
         exampleProfile("vtr300-minimal.json"),
         {"\"serialNumber\": \"VT3-0007711\"", "\"firmwareRevision\": \"KX5120-02AR\"",
          "\"tcpConfiguration2\": null", "\"scanParameters\": null", "\"analogScanMode\": 0",
          "\"digitalDeviceInformation\": [\n    null,\n    null"},
         {"\"tcpConfiguration2\": {"}},
        {"full",
         exampleProfile("vtr300-full.json"),
         {"\"firmwareRevision\": \"KX5120-04AR\"", "\"tcpConfiguration2\": {",
          "\"firmwareRevision\": \"KD1100-03\""},
         {"null"}},
    };
    for (const Case& c : cases) {
        Simulator sim(c.profile);
        ASSERT_TRUE(start(sim)) << c.name;
        const VtrctlOutcome outcome = showJson(sim, GetParam(), c.profile);
        EXPECT_EQ(outcome.status, 0) << c.name << ": " << outcome.err;
        EXPECT_EQ(outcome.err, "") << c.name;
        EXPECT_EQ(outcome.out.front(), '{') << c.name;
        EXPECT_EQ(outcome.out.substr(outcome.out.size() - 2), "}\n") << c.name;
        for (const std::string& text : c.present) {
            EXPECT_THAT(outcome.out, HasSubstr(text)) << c.name;
        }
        for (const std::string& text : c.absent) {
            EXPECT_THAT(outcome.out, Not(HasSubstr(text))) << c.name;
        }
    }
}

TEST_P(ShowJson, PartialReadPrintsWhatItHasAndStoppedReadPrintsNothing) {
    const SimProfile profile = SimProfile::richDefault();
    Simulator sim(profile);
    ASSERT_TRUE(start(sim));

    sim.faults().addException(0x1100, 0x1100, 2); // RTU Configuration
    const VtrctlOutcome partial = showJson(sim, GetParam(), profile);
    EXPECT_EQ(partial.status, 3);
    EXPECT_THAT(partial.out, HasSubstr("\"rtuConfiguration\": null"));
    EXPECT_THAT(partial.out, HasSubstr("\"tcpConfiguration\": {"));
    EXPECT_THAT(partial.err, HasSubstr("Read Error: Refresh failed to read the following data: "
                                       "\n\n\tRTU Configuration:    162, "));

    sim.faults().addException(0x1000, 0x1000, 2); // Device Information
    const VtrctlOutcome stopped = showJson(sim, GetParam(), profile);
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.out, "");
    EXPECT_THAT(stopped.err, HasSubstr("Read Error: Failed to read Device Information data!"));
}

TEST(ShowJsonText, IdentityBytesOutsidePrintableAsciiAreEscaped) {
    SimProfile profile = SimProfile::richDefault();
    profile.identity.manufacturer = "A\"B\\C\tD\x7F\xE9";
    Simulator sim(profile);
    ASSERT_EQ(sim.startTcp(), 0);
    const VtrctlOutcome outcome = showJson(sim, Link::tcp, profile);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_THAT(outcome.out, HasSubstr("\"manufacturer\": \"A\\\"B\\\\C\\u0009D\\u007f\\u00e9\""));
}

TEST(ShowJsonText, LinkThatCannotOpenExitsWithOne) {
    Simulator closed;
    ASSERT_EQ(closed.startTcp(), 0);
    const std::string port = std::to_string(closed.tcpPort());
    closed.stop();
    const VtrctlOutcome outcome = runVtrctl({"--tcp", "127.0.0.1:" + port, "show", "--json"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_THAT(outcome.err, HasSubstr("error 68: "));
}

TEST_P(ShowTree, PrintsTheConfigurationTreeInTheChosenBase) {
    const SimProfile profile = SimProfile::richDefault();
    Simulator sim(profile);
    ASSERT_TRUE(start(sim));
    std::vector<std::string> arguments = linkArguments(sim, GetParam(), profile);
    arguments.push_back("show");
    const VtrctlOutcome decimal = runVtrctl(arguments);
    arguments.push_back("--hex");
    const VtrctlOutcome hex = runVtrctl(arguments);

    EXPECT_EQ(decimal.status, 0) << decimal.err;
    EXPECT_EQ(decimal.err, "");
    // The connection rows come from the link options; a device path has no COM number.
    const std::string connection =
        GetParam() == Link::tcp
            ? "    Protocol = Modbus TCP\n    Server = 127.0.0.1\n    TCP Port = " +
                  std::to_string(sim.tcpPort()) + "\n"
            : "    Protocol = Modbus RTU\n    COM Port = 0\n    Slave ID = 31\n"
              "    Baud Rate = 19200\n    Parity = Even\n";
    EXPECT_THAT(decimal.out, StartsWith("VTR300 Configuration\n  Connected\n"
                                        "  Self-Test Status = Pass\n  Connection Information\n" +
                                        connection));
    EXPECT_THAT(decimal.out, HasSubstr("\n      Channel 1 : Input\n        Average Weight = 8\n"));
    EXPECT_THAT(hex.out, HasSubstr("\n      Channel 1 : Input\n        Average Weight = 0x0008\n"));
    EXPECT_THAT(hex.out, HasSubstr("\n      TCP Port = 0x01F6\n"));
    EXPECT_EQ(std::count(hex.out.begin(), hex.out.end(), '\n'),
              std::count(decimal.out.begin(), decimal.out.end(), '\n'));

    // A block that fails shows as unknown rows; the rest is printed.
    sim.faults().addException(0x1100, 0x1100, 2); // RTU Configuration
    const VtrctlOutcome partial = runVtrctl(arguments);
    EXPECT_EQ(partial.status, 3);
    EXPECT_THAT(partial.out, HasSubstr("\n      Serial Interface = UNKNOWN\n"));
    EXPECT_THAT(partial.out, HasSubstr("\n      IP Address = 192.168.1.50\n"));
}

INSTANTIATE_TEST_SUITE_P(Links, ShowTree, ::testing::Values(Link::tcp, Link::rtu),
                         [](const ::testing::TestParamInfo<Link>& info) {
                             return info.param == Link::tcp ? "OverTcp" : "OverRtu";
                         });

INSTANTIATE_TEST_SUITE_P(Links, ShowJson, ::testing::Values(Link::tcp, Link::rtu),
                         [](const ::testing::TestParamInfo<Link>& info) {
                             return info.param == Link::tcp ? "OverTcp" : "OverRtu";
                         });

TEST(ShowTrace, LabelsEveryTransactionWithItsBlock) {
    const SimProfile profile = SimProfile::richDefault();
    Simulator sim(profile);
    ASSERT_EQ(sim.startTcp(), 0);
    sim.faults().addException(0x1100, 0x1100, 2); // RTU Configuration

    const VtrctlOutcome outcome =
        runVtrctl({"--tcp", "127.0.0.1:" + std::to_string(sim.tcpPort()), "--trace", "show"});

    EXPECT_EQ(outcome.status, 3);
    std::istringstream err(outcome.err);
    size_t entries = 0;
    for (std::string line; std::getline(err, line);) {
        // The byte lines of an entry and the refresh's report come between the entries.
        static const std::regex entryStart("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\\.[0-9]{3}  .*");
        if (!std::regex_match(line, entryStart)) {
            continue;
        }
        ++entries;
        const size_t meaning = line.find(" ms  ");
        ASSERT_NE(meaning, std::string::npos) << line;
        const std::string block = line.substr(meaning + 5, line.find(':', meaning) - meaning - 5);
        EXPECT_TRUE(std::any_of(
            RegisterMap::blocks.begin(), RegisterMap::blocks.end(),
            [&](const RegisterBlock& b) { return block == TrafficMeaning::blockName(b.id); }))
            << line;
    }
    EXPECT_EQ(entries, sim.requestLog().size());
    EXPECT_THAT(outcome.err, HasSubstr(" ms  Device Information: Manufacturer = Vantrel, "));
    EXPECT_THAT(outcome.err, HasSubstr("  162 Illegal Data Address exception response  "));
}
