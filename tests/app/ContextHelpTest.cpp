#include "app/CVtrConfigApp.h"
#include "res/CommandIds.h"
#include "res/FrameResources.h"
#include "res/HelpTopics.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "support/HeadlessUi.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"
#include "ui/CMenu.h"
#include "ui/DesktopOpener.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <fstream>
#include <functional>
#include <sstream>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// What the program asked the desktop to open, in place of xdg-open.
class RecordingOpener final : public DesktopOpener {
public:
    bool open(const std::string& url, std::string& failure) override {
        urls.push_back(url);
        failure = works ? "" : "xdg-open is missing";
        return works;
    }
    std::vector<std::string> urls;
    bool works = true;
};

constexpr const char* kManual = "/usr/share/doc/vtrconfig/manual.html";

struct HelpedApp {
    HelpedApp() {
        app.SetHelpFile(kManual);
        std::string failure;
        started = app.start({}, failure);
    }
    HeadlessUi ui;
    ScratchFolder folder;
    ScopedEnv configHome{"XDG_CONFIG_HOME", folder.path().c_str()};
    RecordingOpener opener;
    ScopedDesktopOpener scope{opener};
    CVtrConfigApp app;
    bool started = false;
};

void collectCommands(const std::vector<CMenu::Item>& items, std::vector<int>& ids) {
    for (const CMenu::Item& item : items) {
        item.popup.empty() ? ids.push_back(item.id) : collectCommands(item.popup, ids);
    }
}

} // namespace

TEST(ContextHelp, F1HelpTopicsAndContextClicksOpenTheManualAtTheirSection) {
    HelpedApp helped;
    ASSERT_TRUE(helped.started);
    CMainFrame& frame = helped.app.mainWindow();
    const std::string manual = std::string("file://") + kManual;
    const struct {
        const char* what;
        std::function<void()> act;
        std::string url;
    } cases[] = {
        {"F1", [&] { frame.userKey(VK_F1, 0); }, manual},
        {"Help Topics", [&] { frame.userCommand(ID_HELP_FINDER); }, manual},
        {"Shift+F1 then a greyed command, which does not run",
         [&] {
             frame.userKey(VK_F1, FSHIFT);
             frame.userCommand(ID_RESET_ANALOG_PANELS);
         },
         manual + "#reset"},
        {"the toolbar's help button then a command",
         [&] {
             frame.userCommand(ID_CONTEXT_HELP);
             frame.userCommand(ID_AVERAGE_WEIGHTS_3);
         },
         manual + "#average-weights"},
        {"Shift+F1 then the tree",
         [&] {
             frame.userKey(VK_F1, FSHIFT);
             frame.userHelpClick(&frame.view());
         },
         manual + "#configuration-tree"},
        {"Shift+F1 then the status bar",
         [&] {
             frame.userKey(VK_F1, FSHIFT);
             frame.userHelpClick(nullptr);
         },
         manual + "#main-window"},
        {"F1 in a dialog",
         [&] {
             helped.ui.backend.expectDialog(IDD_MAKE_CONNECTION, [](DialogDriver& user) {
                 user.window().userHelp();
                 user.pressEscape();
             });
             frame.userKey(VK_F3, 0);
         },
         manual + "#connect-options"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        helped.opener.urls.clear();
        c.act();
        EXPECT_THAT(helped.opener.urls, ElementsAre(c.url));
        EXPECT_FALSE(frame.contextHelpMode());
    }
    EXPECT_THAT(helped.ui.backend.messageBoxes(), IsEmpty()) << "no reset was asked for";

    // Esc leaves context help: the next command runs.
    helped.opener.urls.clear();
    frame.userKey(VK_F1, FSHIFT);
    frame.userCancelContextHelp();
    EXPECT_TRUE(frame.userCommand(ID_VIEW_HEXADECIMAL));
    EXPECT_EQ(helped.app.document().getHexDisplay(), 1);
    EXPECT_THAT(helped.opener.urls, IsEmpty());

    // Without a browser the user learns where the manual is.
    helped.opener.works = false;
    helped.ui.backend.answerMessageBox(IDOK);
    frame.userKey(VK_F1, 0);
    ASSERT_EQ(helped.ui.backend.messageBoxes().size(), 1U);
    EXPECT_THAT(helped.ui.backend.messageBoxes()[0].text, HasSubstr(kManual));
}

TEST(ContextHelp, EveryCommandAndDialogHasASectionThatTheManualHolds) {
    std::ifstream file(VTR_MANUAL_SOURCE);
    std::stringstream manual;
    manual << file.rdbuf();
    ASSERT_FALSE(manual.str().empty()) << VTR_MANUAL_SOURCE;
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
