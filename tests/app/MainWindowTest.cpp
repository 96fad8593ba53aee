#include "app/CMainFrame.h"
#include "app/CVtrConfigApp.h"
#include "device/ChannelState.h"
#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "support/HeadlessUi.h"
#include "support/RecordingClock.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"
#include "support/SimulatedDocument.h"
#include "ui/BusyFlow.h"
#include "ui/CArchive.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {

struct Rule {
    int id;
    bool enabled;
    bool checked;
};

// The state of every entry the rules decide, from a frame around the document.
void expectRules(CVtrConfigDoc& doc, const std::vector<Rule>& rules, const std::string& connect) {
    CMainFrame frame(doc);
    ASSERT_TRUE(frame.create());
    for (const Rule& rule : rules) {
        const CMenu::Item* item = frame.GetMenu().find(rule.id);
        ASSERT_NE(item, nullptr) << rule.id;
        EXPECT_EQ(item->enabled, rule.enabled) << rule.id;
        EXPECT_EQ(item->checked, rule.checked) << rule.id;
    }
    EXPECT_EQ(frame.GetMenu().find(ID_CONNECT)->text, connect);
}

} // namespace

TEST(MainWindow, MenuRulesFollowTheDocument) {
    HeadlessUi ui;
    const std::vector<Rule> always = {
        {ID_CONNECT, true, false},           {ID_VIEW_HEXADECIMAL, true, false},
        {ID_VIEW_DECIMAL, true, true},       {ID_AUTO_CONNECT, true, false},
        {ID_FILE_PRINT, false, false},       {ID_FILE_PRINT_PREVIEW, false, false},
        {ID_FILE_PRINT_SETUP, false, false},
    };
    {
        SCOPED_TRACE("not connected");
        CVtrConfigDoc doc;
        std::vector<Rule> rules = always;
        for (const int id :
             {ID_DISCONNECT, ID_CONFIGURE_RTU_INTERFACE, ID_CONFIGURE_SCAN_MODE,
              ID_CONFIGURE_SCAN_PARAMETERS, ID_ANALOG_CHANNEL_STATES_0, ID_DIGITAL_CHANNEL_STATES_0,
              ID_QUICK_CHANNEL_VIEW, ID_EXPORT_KEPSERVER, ID_CONFIGURE_SECONDARY_TCP,
              ID_AVERAGE_WEIGHTS_3, ID_ANALOG_DEFAULT_OUTPUTS_0, ID_DIGITAL_DEFAULT_OUTPUTS_0,
              ID_RESET_ANALOG_PANELS, ID_RESET_DIGITAL_PANEL_0}) {
            rules.push_back({id, false, false});
        }
        expectRules(doc, rules, "Connect\tF4");
    }
    {
        SCOPED_TRACE("connected, digital panel 3 absent, scan mode continuous");
        SimProfile profile = SimProfile::richDefault();
        profile.digitalPanels[3].fitted = false;
        profile.scanMode = 0;
        SimulatedDocument unit(profile);
        ASSERT_TRUE(unit.ready());
        std::vector<Rule> rules = always;
        for (const int id : {ID_DISCONNECT, ID_CONFIGURE_RTU_INTERFACE, ID_CONFIGURE_SCAN_MODE,
                             ID_ANALOG_CHANNEL_STATES_0 + 3, ID_DIGITAL_CHANNEL_STATES_0,
                             ID_QUICK_CHANNEL_VIEW, ID_EXPORT_KEPSERVER, ID_AVERAGE_WEIGHTS_2,
                             ID_ANALOG_DEFAULT_OUTPUTS_0 + 3, ID_DIGITAL_DEFAULT_OUTPUTS_0 + 1,
                             ID_RESET_ANALOG_PANELS, ID_RESET_DIGITAL_PANEL_0 + 1}) {
            rules.push_back({id, true, false});
        }
        for (const int id : {ID_DIGITAL_CHANNEL_STATES_0 + 3, ID_DIGITAL_DEFAULT_OUTPUTS_0 + 3,
                             ID_RESET_DIGITAL_PANEL_0 + 3}) {
            rules.push_back({id, false, false});
        }
        rules.push_back({ID_CONNECT_OPTIONS, false, false});
        rules.push_back({ID_CONFIGURE_SCAN_PARAMETERS, false, false});
        expectRules(unit.doc, rules, "Refresh Data\tF4");
    }
    {
        SCOPED_TRACE("connected, scan mode user-defined");
        SimProfile profile = SimProfile::richDefault();
        profile.scanMode = 1;
        SimulatedDocument unit(profile);
        ASSERT_TRUE(unit.ready());
        expectRules(unit.doc, {{ID_CONFIGURE_SCAN_PARAMETERS, true, false}}, "Refresh Data\tF4");
    }
    {
        SCOPED_TRACE("connected, eight digital panels, firmware without a secondary interface");
        SimProfile profile = SimProfile::full();
        profile.identity.firmwareRevision = "KX5120-02AR";
        SimulatedDocument unit(profile);
        ASSERT_TRUE(unit.ready());
        expectRules(unit.doc,
                    {{ID_CONFIGURE_SECONDARY_TCP, false, false},
                     {ID_RESET_DIGITAL_PANEL_0 + 7, true, false}},
                    "Refresh Data\tF4");
    }
}

// What the status bar shows while each flow blocks (painted as the wait cursor comes up), and
// whether the flow talked to the unit at all: a failed connect reads nothing, and a reset
// answered No neither writes nor reads.
TEST(MainWindow, FlowsShowTheirStatusTextsWhileTheyBlock) {
    const std::string idle = "For Help, press F1";
    const std::string reading = "Reading data from Vantrel...";
    const std::string analogQuestion = "This operation will reset ALL analog configuration "
                                       "parameters to factory default settings.\n\nDo you "
                                       "wish to continue?";
    const std::string digitalQuestion = "This operation will reset ALL Digital Panel 1 "
                                        "configuration parameters to factory default "
                                        "settings.\n\nDo you wish to continue?";
    const struct {
        const char* name;
        int command;
        bool connectFails;
        int answer; // 0: no box expected
        std::string question;
        std::vector<std::string> painted;
        std::vector<int64_t> sleeps;
        bool unitAsked;
    } cases[] = {
        {"refresh", ID_CONNECT, false, 0, "", {idle, reading}, {}, true},
        {"failed connect", ID_CONNECT, true, IDOK, "", {idle, "Connecting..."}, {}, false},
        {"reset analog, Yes",
         ID_RESET_ANALOG_PANELS,
         false,
         IDYES,
         analogQuestion,
         {idle, "Resetting analog panels...", "Waiting for Vantrel to boot....", reading},
         {3000},
         true},
        {"reset analog, No", ID_RESET_ANALOG_PANELS, false, IDNO, analogQuestion, {}, {}, false},
        {"reset digital, Yes",
         ID_RESET_DIGITAL_PANEL_0 + 1,
         false,
         IDYES,
         digitalQuestion,
         {},
         {},
         true},
        {"reset digital, No",
         ID_RESET_DIGITAL_PANEL_0 + 1,
         false,
         IDNO,
         digitalQuestion,
         {},
         {},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessUi ui;
        SimulatedDocument unit;
        ASSERT_TRUE(unit.ready());
        if (c.connectFails) {
            unit.doc.disconnect();
            ConnectOptions unusable;
            unusable.protocol = 2;
            unit.doc.setConnectOptions(unusable);
        }
        RecordingClock clock;
        CMainFrame frame(unit.doc);
        ASSERT_TRUE(frame.create());
        frame.useClock(clock);
        frame.ShowWindow(SW_SHOW);
        frame.SetMessageText(IDS_IDLE_MESSAGE);
        std::vector<std::string> painted;
        ui.backend.setPaintObserver([&] { painted.push_back(frame.GetMessageText()); });
        if (c.answer != 0) {
            ui.backend.answerMessageBox(c.answer);
        }
        unit.sim.clearRequestLog();

        ASSERT_TRUE(frame.userCommand(c.command));

        EXPECT_THAT(painted, ElementsAreArray(c.painted));
        EXPECT_EQ(frame.GetMessageText(), idle);
        EXPECT_FALSE(ui.backend.waitCursorShown());
        EXPECT_EQ(clock.sleeps, c.sleeps);
        EXPECT_EQ(!unit.sim.requestLog().empty(), c.unitAsked);
        EXPECT_EQ(ui.backend.pendingAnswers(), 0u);
        if (!c.question.empty()) {
            ASSERT_FALSE(ui.backend.messageBoxes().empty());
            EXPECT_EQ(ui.backend.messageBoxes()[0].text, c.question);
            EXPECT_EQ(ui.backend.messageBoxes()[0].caption, c.command == ID_RESET_ANALOG_PANELS
                                                                ? "Reset Analog Panels"
                                                                : "Reset Digital Panel");
            EXPECT_EQ(ui.backend.messageBoxes()[0].style, unsigned{MB_YESNO | MB_ICONWARNING});
        }
    }
}

// Esc while a step of Connect or Refresh Data waits for the unit: that step ends, nothing
// after it goes to the unit, no message box comes, and the status bar says "Cancelled". A
// cancelled connect ends disconnected; a cancelled refresh ends as if the reads it left had
// failed, so it keeps the link only when the unit was identified before the Esc.
TEST(MainWindow, EscStopsAConnectOrARefreshAfterTheStepUnderWay) {
    const struct {
        const char* name;
        bool connectedBefore;
        int escDuringStep; // counted from 1: the link's opening, then one per transaction
        int doneBlocks;    // progress shown at the Esc, out of the refresh's 15 blocks
        size_t requests;   // what reached the unit
        bool connectedAfter;
        bool tcpKnown;      // the block read in the step under way
        bool scanModeKnown; // read after it; kept from before when no refresh began
    } cases[] = {
        {"refresh, in the communication check", true, 1, 0, 1, false, false, false},
        {"refresh, reading the TCP configuration", true, 6, 5, 6, true, true, false},
        {"connect, opening the link", false, 1, -1, 0, false, true, true},
        {"connect, in its refresh", false, 7, 5, 6, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessUi ui;
        SimulatedDocument unit;
        ASSERT_TRUE(unit.ready());
        if (!c.connectedBefore) {
            unit.doc.disconnect();
            ConnectOptions options;
            options.protocol = ConnectOptions::modbusTcp;
            options.server = "127.0.0.1";
            options.tcpPort = unit.sim.tcpPort();
            unit.doc.setConnectOptions(options);
        }
        CMainFrame frame(unit.doc);
        ASSERT_TRUE(frame.create());
        frame.ShowWindow(SW_SHOW);
        unit.sim.clearRequestLog();
        BusyFlow::State atEsc;
        ui.backend.setStepObserver([&](int step) {
            if (step == c.escDuringStep) {
                atEsc = BusyFlow::state();
                BusyFlow::requestCancel();
            }
        });

        ASSERT_TRUE(frame.userCommand(ID_CONNECT));

        EXPECT_TRUE(atEsc.cancellable);
        EXPECT_EQ(atEsc.done, std::max(c.doneBlocks, 0));
        EXPECT_EQ(atEsc.total, c.doneBlocks < 0 ? 0 : 15);
        EXPECT_EQ(unit.sim.requestLog().size(), c.requests);
        EXPECT_EQ(unit.doc.isConnected() != 0, c.connectedAfter);
        EXPECT_EQ(unit.doc.getTcpConfig(0) != nullptr, c.tcpKnown);
        EXPECT_EQ(unit.doc.getScanMode() != nullptr, c.scanModeKnown);
        EXPECT_TRUE(ui.backend.messageBoxes().empty());
        EXPECT_EQ(frame.GetMessageText(), "Cancelled");
        EXPECT_FALSE(BusyFlow::state().running);
    }
}

// A configure write is never cut in half: Esc while its channels are written one by one is
// dropped, even inside a busy flow, and every changed channel reaches the unit.
TEST(MainWindow, EscDuringAConfigureWriteIsDropped) {
    HeadlessUi ui;
    SimulatedDocument unit;
    ASSERT_TRUE(unit.ready());
    size_t changed = 0;
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        changed += *unit.doc.getAnalogChannelState(0, channel) != ChannelState::vacant ? 1 : 0;
    }
    ASSERT_GE(changed, 2u);
    unit.sim.clearRequestLog();
    const BusyFlow::Scope flow;
    ui.backend.setStepObserver([](int) { BusyFlow::requestCancel(); });

    unit.doc.writeAnalogChannelStates(0, DeviceImage::PanelStates{});

    EXPECT_EQ(unit.sim.requestLog().size(), changed);
    EXPECT_FALSE(flow.cancelled());
    EXPECT_EQ(*unit.doc.getAnalogChannelState(0, 15), ChannelState::vacant);
}

TEST(MainWindow, StartsUntitledOpensAFileOrFailsWithTheReason) {
    HeadlessUi ui;
    ScratchFolder folder;
    const ScopedEnv configHome("XDG_CONFIG_HOME", folder.path().c_str());
    {
        CVtrConfigApp app;
        std::string failure;
        ASSERT_TRUE(app.start({}, failure));
        EXPECT_EQ(app.mainWindow().GetWindowText(), "Untitled - VTR Configuration");
        EXPECT_TRUE(app.mainWindow().IsWindowVisible());
        EXPECT_EQ(app.document().getConnectOptions(), ConnectOptions{});
        EXPECT_EQ(app.mainWindow().GetMessageText(), "For Help, press F1");
    }
    const std::string path = folder.file("unit.vtr");
    {
        CVtrConfigApp app;
        std::string failure;
        ASSERT_TRUE(app.start({}, failure));
        app.document().setHexDisplay(1);
        ASSERT_TRUE(app.document().DoSave(path));
    }
    {
        CVtrConfigApp app;
        std::string failure;
        ASSERT_TRUE(app.start({path}, failure));
        EXPECT_EQ(app.mainWindow().GetWindowText(), "unit.vtr - VTR Configuration");
        EXPECT_EQ(app.document().getHexDisplay(), 1);
        EXPECT_EQ((*app.recentFileList())[0], path);
    }
    {
        CVtrConfigApp app;
        std::string failure;
        EXPECT_FALSE(app.start({folder.file("missing.vtr")}, failure));
        EXPECT_THAT(failure, HasSubstr("No such file or directory"));
    }
}
