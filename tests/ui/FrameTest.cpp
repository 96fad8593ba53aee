#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "support/HeadlessUi.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"
#include "ui/CArchive.h"
#include "ui/CCmdUI.h"
#include "ui/CDocument.h"
#include "ui/CSingleDocTemplate.h"
#include "ui/CWaitCursor.h"
#include "ui/CWinApp.h"
#include "ui/SampleFrame.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// Records which target of the road ran a command.
class RoadDocument : public CDocument {
public:
    explicit RoadDocument(std::vector<std::string>& log) {
        handleCommand(ID_SAMPLE_CONNECT, [&log] { log.push_back("document"); });
        handleCommand(ID_SAMPLE_UNAVAILABLE, [&log] { log.push_back("document"); });
        handleUpdate(ID_SAMPLE_UNAVAILABLE, [](CCmdUI& update) { update.Enable(false); });
    }
    void serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar.writeI32(number);
        } else {
            ar.readI32(number);
        }
    }
    int32_t number = 0;
};

class RoadApp : public CWinApp {
public:
    explicit RoadApp(std::vector<std::string>& log) {
        handleCommand(ID_SAMPLE_CONNECT, [&log] { log.push_back("application"); });
        handleCommand(ID_SAMPLE_HEXADECIMAL, [&log] { log.push_back("application"); });
    }
};

struct FrameFixture : ::testing::Test {
    FrameFixture() {
        app.SetRegistryKey("Corvantis");
        app.LoadStdProfileSettings(3);
        app.AddDocTemplate(docTemplate);
        EXPECT_TRUE(frame.create());
        document.AddView(frame.view());
    }

    HeadlessUi ui;
    ScratchFolder folder;
    ScopedEnv configHome{"XDG_CONFIG_HOME", folder.path().c_str()};
    std::vector<std::string> log;
    RoadApp app{log};
    RoadDocument document{log};
    CSingleDocTemplate docTemplate{IDR_FRAME_SAMPLE, document};
    RecentFileList& recent() { return *app.recentFileList(); }
    SampleFrame frame;
};

} // namespace

TEST_F(FrameFixture, UpdateHandlersSetEnableCheckAndTextOfEveryEntry) {
    const auto entry = [&](int id) { return *frame.GetMenu().find(id); };
    EXPECT_TRUE(entry(ID_SAMPLE_DECIMAL).checked);
    EXPECT_FALSE(entry(ID_SAMPLE_HEXADECIMAL).checked);
    EXPECT_EQ(entry(ID_SAMPLE_CONNECT).text, "&Connect\tF4");
    EXPECT_FALSE(entry(ID_SAMPLE_UNAVAILABLE).enabled); // the document greys it
    EXPECT_TRUE(entry(ID_VIEW_TOOLBAR).checked);
    EXPECT_FALSE(entry(ID_FILE_MRU_FILE1).enabled); // no recent files yet
    EXPECT_EQ(entry(ID_FILE_MRU_FILE1).text, "Recent File");

    frame.hexadecimal = true;
    frame.connected = true;
    frame.ShowToolBar(false);
    recent().add(folder.file("a.vtr"));
    recent().add(folder.file("b.vtr"));
    frame.OnIdle();
    EXPECT_TRUE(entry(ID_SAMPLE_HEXADECIMAL).checked);
    EXPECT_FALSE(entry(ID_SAMPLE_DECIMAL).checked);
    EXPECT_EQ(entry(ID_SAMPLE_CONNECT).text, "&Refresh Data\tF4");
    EXPECT_FALSE(entry(ID_VIEW_TOOLBAR).checked);
    EXPECT_EQ(entry(ID_FILE_MRU_FILE1).text, "&1 b.vtr");
    EXPECT_EQ(entry(ID_FILE_MRU_FILE1 + 1).text, "&2 a.vtr");
    EXPECT_TRUE(entry(ID_FILE_MRU_FILE1 + 1).enabled);
    // The toolbar's Context Help has no handler anywhere on the road.
    EXPECT_FALSE(frame.toolBar().buttons().back().enabled);
}

TEST_F(FrameFixture, CommandsTravelViewDocumentFrameApplication) {
    struct Case {
        int id;
        std::vector<std::string> ran;
    };
    // The frame handles connect too, but the document comes first; hexadecimal is the
    // frame's before the application's; a greyed entry runs nowhere.
    const Case cases[] = {
        {ID_SAMPLE_CONNECT, {"document"}},
        {ID_SAMPLE_HEXADECIMAL, {}},
        {ID_SAMPLE_UNAVAILABLE, {}},
    };
    for (const Case& c : cases) {
        log.clear();
        frame.userCommand(c.id);
        EXPECT_EQ(log, c.ran) << c.id;
    }
    EXPECT_TRUE(frame.hexadecimal);
    EXPECT_EQ(frame.connects, 0);
}

TEST_F(FrameFixture, DroppedFileOpensAsTheDocumentAndClosingAsksToSave) {
    const std::string path = folder.file("dropped.vtr");
    CArchive out;
    out.writeI32(42);
    ScratchFolder::write(path, out.storedBytes());

    EXPECT_FALSE(frame.userDropFiles({path})); // not accepted yet
    frame.DragAcceptFiles();
    EXPECT_TRUE(frame.userDropFiles({path, folder.file("second.vtr")}));
    EXPECT_EQ(document.number, 42);
    EXPECT_EQ(frame.GetWindowText(), "dropped.vtr - Frame Sample");

    document.SetModifiedFlag();
    ui.backend.answerMessageBox(IDCANCEL);
    frame.userClose();
    EXPECT_TRUE(frame.IsWindow());
    ui.backend.answerMessageBox(IDNO);
    frame.userClose();
    EXPECT_FALSE(frame.IsWindow());
}

TEST_F(FrameFixture, WaitCursorPaintsTheStatusTextBeforeTheBlockingWork) {
    std::vector<std::string> painted;
    ui.backend.setPaintObserver([&] { painted.push_back(frame.GetMessageText()); });
    {
        frame.SetMessageText(IDS_CONNECTING);
        CWaitCursor wait;
        EXPECT_TRUE(ui.backend.waitCursorShown());
    }
    EXPECT_FALSE(ui.backend.waitCursorShown());
    EXPECT_THAT(painted, ElementsAre("Connecting..."));
}
