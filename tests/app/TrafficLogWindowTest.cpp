#include "app/CMainFrame.h"
#include "device/CVtrConfigDoc.h"
#include "device/LinkedUnit.h"
#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "support/ScratchFolder.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

using ::testing::Contains;
using ::testing::Each;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

// The window over a document connected by its own connect options, to a unit that refuses its
// RTU Configuration: every transaction is listed, the filters narrow the list, and what is
// shown is copied and saved in full.
TEST(TrafficLogWindow, ListsFiltersCopiesAndSavesTheTransactionsOfAConnect) {
    SimProfile profile = SimProfile::richDefault();
    LinkedUnit unit(Link::tcp, profile);
    unit.sim.faults().addException(0x1100, 0x1100, 2); // RTU Configuration
    ASSERT_TRUE(unit.ready());
    CVtrConfigDoc& doc = unit.doc;
    HeadlessBackend& ui = unit.ui;
    CMainFrame frame(doc);
    ASSERT_TRUE(frame.create());
    frame.ShowWindow(SW_SHOW);
    ui.answerMessageBox(IDOK); // the refresh reports the refused block
    frame.OnConnect();

    ASSERT_TRUE(frame.userCommand(ID_VIEW_TRAFFIC_LOG));
    CTrafficLogDlg& log = frame.trafficLog();
    ASSERT_TRUE(log.IsWindow());
    const size_t transactions = unit.sim.requestLog().size();
    const ControlState& list = *log.findControl(IDC_TL_LIST);
    ASSERT_EQ(list.items.size(), transactions);
    EXPECT_THAT(list.items[0], HasSubstr("Communication Check"));
    EXPECT_EQ(list.curSel, static_cast<int>(transactions) - 1) << "follows the newest";

    // Polling goes on behind the window; the timer brings the new entries in, Pause stops it.
    ASSERT_EQ(doc.checkCommunication(), 0);
    ui.advance(CTrafficLogDlg::refreshMs);
    EXPECT_EQ(list.items.size(), transactions + 1);
    ASSERT_TRUE(log.userClick(IDC_TL_PAUSE));
    ASSERT_EQ(doc.checkCommunication(), 0);
    ui.advance(CTrafficLogDlg::refreshMs);
    EXPECT_EQ(list.items.size(), transactions + 1);
    EXPECT_THAT(log.findControl(IDC_TL_STATUS)->text, HasSubstr("(paused)"));
    ASSERT_TRUE(log.userClick(IDC_TL_PAUSE));
    EXPECT_EQ(list.items.size(), transactions + 2);

    // Errors only: the refused block, and the digital panels the unit does not fit.
    ASSERT_TRUE(log.userSelect(IDC_TL_SHOW, 1));
    EXPECT_THAT(list.items, Each(Not(HasSubstr("  0 Operation was successful  "))));
    EXPECT_THAT(list.items, Contains(HasSubstr("  162 Illegal Data Address exception response  ")));
    EXPECT_THAT(list.items, Contains(HasSubstr("ms  RTU Configuration")));
    ASSERT_TRUE(log.userSelect(IDC_TL_SHOW, 0));
    ASSERT_TRUE(log.userSelect(IDC_TL_BLOCK, 1 + static_cast<int>(DeviceBlock::deviceInformation)));
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_THAT(log.findControl(IDC_TL_DETAIL)->text,
                HasSubstr("Device Information: Manufacturer = Vantrel, "));
    EXPECT_THAT(log.findControl(IDC_TL_DETAIL)->text, HasSubstr("\n  TX 04 10 00 00 50\n"));

    ASSERT_TRUE(log.userClick(IDC_TL_COPY));
    EXPECT_EQ(ui.clipboardText(), log.findControl(IDC_TL_DETAIL)->text);

    ScratchFolder folder;
    const std::string path = folder.path() + "/traffic.txt";
    ui.answerFileDialog(path);
    ASSERT_TRUE(log.userClick(IDC_TL_SAVE_AS));
    EXPECT_EQ(fileText(path), log.shownText());
    EXPECT_THAT(fileText(path), StartsWith(log.findControl(IDC_TL_DETAIL)->text.substr(0, 12)));

    ASSERT_TRUE(log.userEscape());
    EXPECT_FALSE(log.IsWindow());
}
