#include "app/KepServerExport.h"
#include "support/HeadlessUi.h"
#include "support/ScratchFolder.h"
#include "support/SimulatedDocument.h"
#include "support/VtrctlRun.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

using ::testing::AllOf;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::SizeIs;

namespace {

std::string tcpTarget(Simulator& sim) {
    return "127.0.0.1:" + std::to_string(sim.tcpPort());
}

std::string textOf(const std::string& path) {
    const std::vector<uint8_t> bytes = ScratchFolder::read(path);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST(VtrctlExport, WritesTheSameFileAsTheMenuCommand) {
    SimulatedDocument unit;
    ASSERT_TRUE(unit.ready());
    ScratchFolder folder;
    {
        HeadlessUi ui;
        ui.backend.answerFileDialog(folder.file("menu.txt"));
        ui.backend.answerMessageBox(1);
        KepServerExport::run(unit.doc, nullptr);
    }

    const VtrctlOutcome written =
        runVtrctl({"--tcp", tcpTarget(unit.sim), "export", folder.file("cli.txt")});
    const VtrctlOutcome printed = runVtrctl({"--tcp", tcpTarget(unit.sim), "export", "-"});

    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "OPC configuration file created.\n");
    const std::string menuFile = textOf(folder.file("menu.txt"));
    EXPECT_THAT(menuFile, HasSubstr("N;AnaPan0Ch0Cur;WORD;400001;;"));
    EXPECT_EQ(textOf(folder.file("cli.txt")), menuFile);
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out, menuFile);
}

TEST(VtrctlExport, AFileThatCannotBeReplacedGivesTheMessageAndStatusOne) {
    SimulatedDocument unit;
    ASSERT_TRUE(unit.ready());
    ScratchFolder folder;
    ScratchFolder::write(folder.file("locked.txt"), {'k', 'e', 'p', 't'});
    std::filesystem::permissions(folder.file("locked.txt"), std::filesystem::perms::owner_read);

    const VtrctlOutcome outcome =
        runVtrctl({"--tcp", tcpTarget(unit.sim), "export", folder.file("locked.txt")});

    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Could not open file (may be read-only?)\n");
    EXPECT_EQ(textOf(folder.file("locked.txt")), "kept");
}

namespace {

// The program as a shell runs it, after `setup`; stderr goes to errFile.
int vtrctlProcess(const std::string& setup, const std::string& arguments,
                  const std::string& errFile) {
    const std::string line = setup + VTRCTL_BINARY + " " + arguments + " 2>" + errFile;
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// A file-size limit stands for a full disk: it is reported like one, not a signal that kills.
TEST(VtrctlExport, AFileSizeLimitIsReportedAndKeepsTheOldFileWhole) {
    SimulatedDocument unit;
    ASSERT_TRUE(unit.ready());
    ScratchFolder folder;
    ScratchFolder::write(folder.file("tags.txt"), {'o', 'l', 'd'});
    const std::string arguments =
        "--tcp " + tcpTarget(unit.sim) + " export " + folder.file("tags.txt");
    EXPECT_EQ(vtrctlProcess("ulimit -f 1; ", arguments, folder.file("err")), 1);
    EXPECT_EQ(textOf(folder.file("err")),
              KepServerExport::message(KepServerExport::Outcome::writeFailed) + std::string("\n"));
    EXPECT_EQ(textOf(folder.file("tags.txt")), "old");
    EXPECT_THAT(folder.names(), ElementsAre("err", "tags.txt"));
}

TEST(VtrctlOutput, WhatStandardOutputCannotTakeFailsTheRun) {
    SimulatedDocument unit;
    ASSERT_TRUE(unit.ready());
    ScratchFolder logs;
    for (const char* command : {"read-input-registers 0x1001 16", "show", "show --json",
                                "--count 1 watch", "export -", "--help"}) {
        for (const char* redirect : {" >/dev/full", " >&-"}) {
            SCOPED_TRACE(std::string(command) + redirect);
            const std::string arguments = "--tcp " + tcpTarget(unit.sim) + " " + command + redirect;
            EXPECT_EQ(vtrctlProcess("", arguments, logs.file("err")), 1);
            EXPECT_THAT(textOf(logs.file("err")), HasSubstr(VtrctlProgram::outputLostMessage));
        }
    }
}

TEST(VtrctlWatch, PrintsEveryConfiguredChannelOfTheNamedPanelsAndStopsAfterItsPasses) {
    SimulatedDocument unit;
    ASSERT_TRUE(unit.ready());
    unit.sim.unit().freezeLiveValues(5); // nothing changes: the second pass prints nothing

    const VtrctlOutcome outcome =
        runVtrctl({"--tcp", tcpTarget(unit.sim), "--count", "2", "watch", "a1", "d0"});

    EXPECT_EQ(outcome.status, 0) << outcome.err;
    const SimProfile profile = SimProfile::richDefault();
    size_t configured = 0;
    for (int channel = 16; channel < 32; ++channel) {
        configured += profile.analogState[channel] != SimProfile::Vacant;
    }
    for (const uint16_t state : profile.digitalPanels[0].state) {
        configured += state != SimProfile::Vacant;
    }
    const std::vector<std::string> lines = linesOf(outcome.out);
    EXPECT_THAT(lines, SizeIs(configured));
    EXPECT_THAT(lines, Each(MatchesRegex("[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3} "
                                         "(analog 1|digital 0) ch [0-9]+ (input|output) [0-9]+")));
}

TEST(VtrctlWatch, AnUnknownPanelIsAUsageError) {
    const VtrctlOutcome outcome = runVtrctl({"--tcp", "127.0.0.1:1", "watch", "a4"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_THAT(outcome.err, HasSubstr("watch: 'a4' is not a panel (a0 to a3, d0 to d7)"));
}
