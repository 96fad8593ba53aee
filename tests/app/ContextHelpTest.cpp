#include "app/CVtrConfigApp.h"
#include "res/CommandIds.h"
#include "res/FrameResources.h"
#include "res/HelpTopics.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "support/HeadlessUi.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"
#include "ui/DesktopOpener.h"
#include "ui/DialogDriver.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <fstream>
#include <functional>
#include <sstream>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// What the program asks the desktop to open, in place of xdg-open.
struct RecordingOpener final : DesktopOpener {
    bool open(const std::string& url, std::string& failure) override {
        urls.push_back(url);
        failure = "xdg-open is missing";
        return works;
    }
    std::vector<std::string> urls;
    bool works = true;
};

void collectCommands(const std::vector<CMenu::Item>& items, std::vector<int>& ids) {
    for (const CMenu::Item& item : items) {
        item.popup.empty() ? ids.push_back(item.id) : collectCommands(item.popup, ids);
    }
}

} // namespace

TEST(ContextHelp, F1HelpTopicsAndContextClicksOpenTheManualAtTheirSection) {
    HeadlessUi ui;
    ScratchFolder folder;
    const ScopedEnv configHome("XDG_CONFIG_HOME", folder.path().c_str());
    RecordingOpener opener;
    const ScopedDesktopOpener scope(opener);
    CVtrConfigApp app;
    app.SetHelpFile("/doc/manual.html");
    std::string failure;
    ASSERT_TRUE(app.start({}, failure));
    CMainFrame& frame = app.mainWindow();
    const auto helpMode = [&frame] { frame.userKey(VK_F1, FSHIFT); };
    const struct {
        const char* what;
        std::function<void()> act;
        std::string url;
    } cases[] = {
        {"F1", [&] { frame.userKey(VK_F1, 0); }, "file:///doc/manual.html"},
        {"Help Topics", [&] { frame.userCommand(ID_HELP_FINDER); }, "file:///doc/manual.html"},
        {"a greyed command, not run",
         [&] { helpMode(), frame.userCommand(ID_RESET_ANALOG_PANELS); },
         "file:///doc/manual.html#reset"},
        {"the toolbar's help button, then a command",
         [&] { frame.userCommand(ID_CONTEXT_HELP), frame.userCommand(ID_AVERAGE_WEIGHTS_3); },
         "file:///doc/manual.html#average-weights"},
        {"the tree", [&] { helpMode(), frame.userHelpClick(&frame.view()); },
         "file:///doc/manual.html#configuration-tree"},
        {"the status bar", [&] { helpMode(), frame.userHelpClick(nullptr); },
         "file:///doc/manual.html#main-window"},
        {"F1 in a dialog",
         [&] {
             ui.backend.expectDialog(IDD_MAKE_CONNECTION, [](DialogDriver& user) {
                 user.window().userHelp();
                 user.pressEscape();
             });
             frame.userKey(VK_F3, 0);
         },
         "file:///doc/manual.html#connect-options"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        opener.urls.clear();
        c.act();
        EXPECT_THAT(opener.urls, ElementsAre(c.url));
        EXPECT_FALSE(frame.contextHelpMode());
    }
    EXPECT_THAT(ui.backend.messageBoxes(), IsEmpty()) << "no reset was asked for";

    opener.urls.clear();
    helpMode();
    frame.userCancelContextHelp();
    EXPECT_TRUE(frame.userCommand(ID_VIEW_HEXADECIMAL)) << "Esc: commands run again";
    EXPECT_EQ(app.document().getHexDisplay(), 1);
    EXPECT_THAT(opener.urls, IsEmpty());

    opener.works = false;
    ui.backend.answerMessageBox(IDOK);
    frame.userKey(VK_F1, 0);
    ASSERT_EQ(ui.backend.messageBoxes().size(), 1U);
    EXPECT_THAT(ui.backend.messageBoxes()[0].text, HasSubstr("It is the file /doc/manual.html"));
}

TEST(ContextHelp, EveryCommandAndDialogHasASectionThatTheManualHolds) {
    std::stringstream manual;
    manual << std::ifstream(VTR_MANUAL_SOURCE).rdbuf();
    for (const HelpTopic& topic : allHelpTopics()) {
        EXPECT_THAT(manual.str(), HasSubstr(std::string("id=\"") + topic.section + "\""));
    }
    CMenu menu;
    menu.load(*findMenu(IDR_MAINFRAME));
    std::vector<int> commands;
    collectCommands(menu.popups(), commands);
    const std::span<const int> buttons = findToolbar(IDR_MAINFRAME)->buttons;
    commands.insert(commands.end(), buttons.begin(), buttons.end());
    for (const int id : commands) {
        EXPECT_TRUE(id == 0 || helpSectionOf(HID_BASE_COMMAND + id) != nullptr) << id;
    }
    for (const DialogTemplate* dialog : allDialogTemplates()) {
        EXPECT_TRUE(dialog->id >= IDD_CONTROL_SAMPLE ||
                    helpSectionOf(HID_BASE_RESOURCE + dialog->id) != nullptr)
            << dialog->name;
    }
}
