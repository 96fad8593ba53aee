#include "device/VtrFile.h"
#include "sim/Simulator.h"
#include "support/ComPortAlias.h"
#include "support/ScratchFolder.h"
#include "support/VtrctlRun.h"
#include "ui/CArchive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

using ::testing::HasSubstr;

namespace {

// "Vantrel", the first characters of the unit's Device Information, one per register.
const std::vector<std::string> readVendor{"read-input-registers", "0x1001", "7"};
const std::string vendorValues = "86 97 110 116 114 101 108\n";

class VtrctlDocument : public ::testing::Test {
protected:
    std::string save(const DocumentSettings& settings, const char* name = "unit.vtr") {
        CArchive ar;
        VtrFile::write(settings, ar);
        return saveBytes(ar.storedBytes(), name);
    }
    std::string saveBytes(const std::vector<uint8_t>& bytes, const char* name) {
        const std::string path = files.file(name);
        ScratchFolder::write(path, bytes);
        return path;
    }
    static std::vector<std::string> withDocument(const std::string& path,
                                                 std::vector<std::string> rest) {
        rest.insert(rest.begin(), {"--document", path});
        return rest;
    }

    ScratchFolder files;
    Simulator sim;
};

} // namespace

TEST_F(VtrctlDocument, TcpDocumentReachesTheUnitOnItsServerAndPort) {
    ASSERT_EQ(sim.startTcp(), 0);
    DocumentSettings settings;
    settings.connect.protocol = ConnectOptions::modbusTcp;
    settings.connect.server = "127.0.0.1";
    settings.connect.tcpPort = sim.tcpPort();

    const std::string document = save(settings);
    const VtrctlOutcome outcome = runVtrctl(withDocument(document, readVendor));
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, vendorValues);

    const VtrctlOutcome shown = runVtrctl(withDocument(document, {"show", "--json"}));
    EXPECT_EQ(shown.err, "");
    EXPECT_EQ(shown.status, 0);
    EXPECT_THAT(shown.out, HasSubstr("\"Vantrel\""));
}

// The document names a COM port with the simulated unit's slave address, 19200 baud and even
// parity; the port's alias link leads to the unit's pseudo-terminal.
TEST_F(VtrctlDocument, RtuDocumentReachesTheUnitOnItsComPortAsItsSlave) {
    ASSERT_EQ(sim.startRtuPty(), 0);
    ComPortAlias alias;
    ASSERT_TRUE(alias.point(sim.rtuDevicePath()));
    DocumentSettings settings;
    settings.connect.comPort = ComPortAlias::port;
    const std::string document = save(settings);

    const VtrctlOutcome outcome = runVtrctl(withDocument(document, readVendor));
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, vendorValues);

    // Another slave address in the document: the unit keeps silent.
    settings.connect.slaveId = 30;
    const VtrctlOutcome other = runVtrctl(withDocument(save(settings, "other.vtr"), readVendor));
    EXPECT_EQ(other.status, 1);
    EXPECT_THAT(other.err, HasSubstr("error "));
}

TEST_F(VtrctlDocument, UnusableDocumentsAreUsageErrorsWithoutTraffic) {
    ASSERT_EQ(sim.startTcp(), 0);
    DocumentSettings unknownProtocol;
    unknownProtocol.connect.protocol = 2;
    DocumentSettings badBaud;
    badBaud.connect.baudIndex = 8;
    std::vector<uint8_t> otherVersion{3, 0, 0, 0};
    const std::string port = std::to_string(sim.tcpPort());
    ASSERT_EQ(::mkfifo(files.file("pipe.vtr").c_str(), 0644), 0);
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {withDocument(files.file("missing.vtr"), readVendor), "No such file"},
        {withDocument(files.file("pipe.vtr"), readVendor), "Not a regular file"},
        {withDocument(saveBytes({2, 0, 0, 0, 0}, "short.vtr"), readVendor), "not a VtrConfig"},
        {withDocument(saveBytes(otherVersion, "v3.vtr"), readVendor), "format 3 is not known"},
        {withDocument(save(unknownProtocol, "p.vtr"), readVendor), "unknown protocol 2"},
        {withDocument(save(badBaud, "b.vtr"), readVendor), "unknown baud rate"},
        {withDocument(save({}, "d.vtr"), {"--tcp", "127.0.0.1:" + port, "read-coils", "1", "1"}),
         "one of --document, --tcp and --rtu"},
        {withDocument(save({}, "e.vtr"), {"--baud", "9600", "read-coils", "1", "1"}),
         "--document gives the serial line"},
    };
    for (const auto& c : cases) {
        const VtrctlOutcome outcome = runVtrctl(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.message;
        EXPECT_THAT(outcome.err, HasSubstr(c.message));
    }
    EXPECT_TRUE(sim.requestLog().empty());
}
