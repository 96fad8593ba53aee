#include "app/KepServerExport.h"

#include "support/HeadlessUi.h"
#include "support/ScratchFolder.h"
#include "support/SimulatedDocument.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

// A unit with a few channels configured around absent panels: analog panel 2 and digital
// panel 1 are missing, so any address that counted only present panels would come out wrong.
SimProfile sparseProfile() {
    SimProfile profile = SimProfile::minimal();
    profile.analogState.fill(SimProfile::Vacant);
    profile.analogPanelFitted = {true, true, false, true};
    profile.analogState[0] = SimProfile::Input;
    profile.analogState[16 + 2] = SimProfile::Output;
    profile.analogState[48 + 15] = SimProfile::Input;
    for (auto& panel : profile.digitalPanels) {
        panel.fitted = false;
        panel.state.fill(SimProfile::Vacant);
    }
    profile.digitalPanels[0].fitted = true;
    profile.digitalPanels[0].state[0] = SimProfile::Output;
    profile.digitalPanels[2].fitted = true;
    profile.digitalPanels[2].state[5] = SimProfile::Input;
    profile.digitalPanels[2].state[15] = SimProfile::Output;
    return profile;
}

SimProfile allVacantProfile() {
    SimProfile profile = sparseProfile();
    profile.analogState.fill(SimProfile::Vacant);
    for (auto& panel : profile.digitalPanels) {
        panel.state.fill(SimProfile::Vacant);
    }
    return profile;
}

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> shownTexts(const HeadlessBackend& backend) {
    std::vector<std::string> texts;
    for (const auto& box : backend.messageBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

using ::testing::ElementsAre;

} // namespace

TEST(KepServerExport, WritesOneLinePerLiveValueAtAddressesFixedByPanelAndChannel) {
    SimulatedDocument unit(sparseProfile());
    ASSERT_TRUE(unit.ready());
    ScratchFolder folder;
    HeadlessUi ui;
    ui.backend.answerFileDialog(folder.file("tags"));
    ui.backend.answerMessageBox(IDOK);

    KepServerExport::run(unit.doc, nullptr);

    const std::string expected =
        "N;AnaPan0Ch0Cur;WORD;400001;;Analog panel 0, Chan 0 (Cur input)\r\n"
        "N;AnaPan0Ch0Avg;WORD;400065;;Analog panel 0, Chan 0 (Avg input)\r\n"
        "N;AnaPan0Ch0Max;WORD;400129;;Analog panel 0, Chan 0 (Max input)\r\n"
        "N;AnaPan0Ch0Min;WORD;400193;;Analog panel 0, Chan 0 (Min input)\r\n"
        "N;AnaPan1Ch2Out;WORD;400019;;Analog panel 1, Chan 2 (output)\r\n"
        "N;AnaPan3Ch15Cur;WORD;400064;;Analog panel 3, Chan 15 (Cur input)\r\n"
        "N;AnaPan3Ch15Avg;WORD;400128;;Analog panel 3, Chan 15 (Avg input)\r\n"
        "N;AnaPan3Ch15Max;WORD;400192;;Analog panel 3, Chan 15 (Max input)\r\n"
        "N;AnaPan3Ch15Min;WORD;400256;;Analog panel 3, Chan 15 (Min input)\r\n"
        "N;DigPan0Ch0Out;BOOL;000001;;Digital panel 0, Chan 0 (output)\r\n"
        "N;DigPan2Ch5Inp;BOOL;000038;;Digital panel 2, Chan 5 (input)\r\n"
        "N;DigPan2Ch15Out;BOOL;000048;;Digital panel 2, Chan 15 (output)\r\n";
    EXPECT_EQ(contentsOf(folder.file("tags.txt")), expected);
    EXPECT_THAT(folder.names(), ElementsAre("tags.txt"));
    EXPECT_THAT(shownTexts(ui.backend), ElementsAre("OPC configuration file created."));
    ASSERT_EQ(ui.backend.fileDialogs().size(), 1u);
    const FileDialogRequest& request = ui.backend.fileDialogs()[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.filter, "All (*.*);;KEPServer config file (*.txt)");
    EXPECT_EQ(request.selectedFilter, "KEPServer config file (*.txt)");
    EXPECT_EQ(request.defaultExtension, ".txt");
}

TEST(KepServerExport, AnAllVacantUnitGivesAnEmptyFileThatReplacesTheOldOne) {
    SimulatedDocument unit(allVacantProfile());
    ASSERT_TRUE(unit.ready());
    ScratchFolder folder;
    const fs::path target = folder.file("tags.txt");
    writeFile(target, "old contents\r\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    EXPECT_EQ(KepServerExport::writeFile(unit.doc, target.string()),
              KepServerExport::Outcome::created);
    EXPECT_EQ(contentsOf(target), "");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_THAT(folder.names(), ElementsAre("tags.txt"));
}

TEST(KepServerExport, StopsWithItsMessageBeforeWritingAnything) {
    SimulatedDocument unit(sparseProfile());
    ASSERT_TRUE(unit.ready());
    ScratchFolder folder;
    const fs::path readOnly = folder.file("locked.txt");
    writeFile(readOnly, "kept\r\n");
    fs::permissions(readOnly, fs::perms::owner_read);
    HeadlessUi ui;
    ui.backend.answerFileDialog(readOnly.string());
    ui.backend.answerFileDialog(folder.file("missing/tags.txt"));
    ui.backend.answerFileDialog(std::nullopt);
    ui.backend.answerMessageBox(IDOK);
    ui.backend.answerMessageBox(IDOK);
    ui.backend.answerMessageBox(IDOK);

    KepServerExport::run(unit.doc, nullptr);
    KepServerExport::run(unit.doc, nullptr);
    KepServerExport::run(unit.doc, nullptr); // cancelled: no message
    unit.doc.link(nullptr);
    KepServerExport::run(unit.doc, nullptr); // no file dialog either

    EXPECT_THAT(shownTexts(ui.backend),
                ElementsAre("Could not open file (may be read-only?)",
                            "Could not open file (may be read-only?)",
                            "You must be connected before exporting the OPC file."));
    EXPECT_EQ(ui.backend.fileDialogs().size(), 3u);
    EXPECT_EQ(contentsOf(readOnly), "kept\r\n");
    EXPECT_THAT(folder.names(), ElementsAre("locked.txt"));
}

// A full disk, as the file-size limit makes it: the write fails part-way.
TEST(KepServerExport, AFailedWriteIsReportedAndKeepsThePreviousFile) {
    SimulatedDocument unit(sparseProfile());
    ASSERT_TRUE(unit.ready());
    ScratchFolder folder;
    const fs::path target = folder.file("tags.txt");
    writeFile(target, "previous export\r\n");
    HeadlessUi ui;
    ui.backend.answerFileDialog(target.string());
    ui.backend.answerMessageBox(IDOK);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    KepServerExport::run(unit.doc, nullptr);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_THAT(shownTexts(ui.backend),
                ElementsAre("Could not write file (disk full?). Any previous file is unchanged."));
    EXPECT_EQ(contentsOf(target), "previous export\r\n");
    EXPECT_THAT(folder.names(), ElementsAre("tags.txt"));
}
