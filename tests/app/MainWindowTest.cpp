#include "app/CMainFrame.h"
#include "app/CVtrConfigApp.h"
#include "res/CommandIds.h"
#include "support/HeadlessUi.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"
#include "support/SimulatedDocument.h"
#include "ui/CArchive.h"

#include <gmock/gmock.h>

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
              ID_QUICK_CHANNEL_VIEW, ID_EXPORT_KEPSERVER, ID_CONFIGURE_SECONDARY_TCP}) {
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
                             ID_QUICK_CHANNEL_VIEW, ID_EXPORT_KEPSERVER}) {
            rules.push_back({id, true, false});
        }
        rules.push_back({ID_DIGITAL_CHANNEL_STATES_0 + 3, false, false});
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
