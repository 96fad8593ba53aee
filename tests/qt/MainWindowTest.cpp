#include "BothBackends.h"
#include "ProgramOnUnit.h"
#include "QtUiUser.h"

#include "app/CVtrConfigApp.h"
#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "sim/Simulator.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"
#include "ui/BusyFlow.h"
#include "ui/qt/DialogGallery.h"
#include "ui/qt/QtBusyIndicator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

// The rows the Qt tree shows; none when the frame has no tree on screen.
int shownRows(QtUiUser& user, CVtrConfigApp& app) {
    QTreeWidget* tree = user.treeOf(app.mainWindow().view().GetTreeCtrl());
    int rows = 0;
    if (tree != nullptr) {
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
            ++rows;
        }
    }
    return rows;
}

// The first row starting with each text in turn, each looked for after the one before, with
// its branches opened so that the user can reach it.
HTREEITEM reachableRow(CTreeCtrl& tree, std::initializer_list<std::string> texts) {
    const std::vector<CTreeCtrl::Row> rows = tree.rows();
    size_t at = 0;
    for (const std::string& text : texts) {
        while (at < rows.size() && !rows[at].text.starts_with(text)) {
            ++at;
        }
    }
    if (at == rows.size()) {
        ADD_FAILURE() << "no row " << *(texts.end() - 1);
        return {};
    }
    for (HTREEITEM up = tree.GetParentItem(rows[at].item); up; up = tree.GetParentItem(up)) {
        tree.Expand(up, TVE_EXPAND);
    }
    return rows[at].item;
}

// The Qt user installed before the program starts.
struct QtUserFirst {
    QtUiUser user;
};

// The program started untitled, its document pointing at a simulated unit, and connected by
// the user's F4.
struct ConnectedProgram : QtUserFirst, ProgramOnUnit {
    bool connect() {
        user.pressKey(app.mainWindow(), VK_F4, 0);
        return started && user.waitUntil([&] { return app.document().isConnected() != 0; });
    }
};

} // namespace

// The program as a user meets it: the main window against a simulated unit, through Qt.
TEST(MainWindowOnScreen, F4ConnectsAndTheTreeShowsTheUnit) {
    ConnectedProgram program;
    ASSERT_TRUE(program.connect());
    QtUiUser& user = program.user;
    CVtrConfigApp& app = program.app;
    EXPECT_EQ(user.shownEntry(app.mainWindow(), ID_CONNECT).text, "&Refresh Data\tF4");
    EXPECT_EQ(user.shownStatusText(app.mainWindow()), "For Help, press F1");
    QTreeWidget* tree = user.treeOf(app.mainWindow().view().GetTreeCtrl());
    ASSERT_NE(tree, nullptr);
    const int rows = shownRows(user, app);
    EXPECT_EQ(rows, static_cast<int>(app.mainWindow().view().GetTreeCtrl().GetCount()));
    EXPECT_GT(rows, 20); // the unit's blocks, not the lone row of a window without a unit
    if (const char* pictures = std::getenv("VTR_PICTURE_DIR")) {
        QWidget* window = tree->window();
        window->resize(640, 560);
        QApplication::processEvents();
        DialogGallery::withCaption(*window).save(QString(pictures) + "/128-main-window.png");
    }
}

// A saved document remembers where the unit is and that it connects by itself: opening it from
// the command line shows the unit's tree without a key pressed.
TEST(MainWindowOnScreen, AReopenedDocumentConnectsByItself) {
    ScratchFolder folder;
    const ScopedEnv configHome("XDG_CONFIG_HOME", folder.path().c_str());
    QtUiUser user;
    Simulator unit;
    ASSERT_EQ(unit.startTcp(), 0);
    const std::string path = folder.file("unit.vtr");
    {
        CVtrConfigApp app;
        std::string failure;
        ASSERT_TRUE(app.start({}, failure)) << failure;
        pointAtUnit(app.document(), unit);
        user.chooseEntry(app.mainWindow(), ID_AUTO_CONNECT);
        ASSERT_TRUE(user.waitUntil([&] { return app.document().getAutoConnect() != 0; }));
        ASSERT_TRUE(app.document().DoSave(path));
        EXPECT_EQ(app.document().isConnected(), 0);
    }
    CVtrConfigApp app;
    std::string failure;
    ASSERT_TRUE(app.start({path}, failure)) << failure;
    ASSERT_TRUE(user.waitUntil([&] { return app.document().isConnected() != 0; }));
    EXPECT_EQ(app.mainWindow().GetWindowText(), "unit.vtr - VTR Configuration");
    EXPECT_TRUE(user.waitUntil([&] {
        return user.shownEntry(app.mainWindow(), ID_AUTO_CONNECT).checked &&
               user.shownEntry(app.mainWindow(), ID_CONNECT).text == "&Refresh Data\tF4" &&
               shownRows(user, app) > 20;
    }));
}

// A double-click on a channel's option row opens its dialog on the unit's value; what the user
// types there is written to the unit and the row shows it.
TEST(MainWindowOnScreen, ADoubleClickedRowIsConfiguredAndTheTreeFollows) {
    ConnectedProgram program;
    ASSERT_TRUE(program.connect());
    QtUiUser& user = program.user;
    CVtrConfigApp& app = program.app;
    Simulator& unit = program.unit;
    unit.clearRequestLog();

    CTreeCtrl& tree = app.mainWindow().view().GetTreeCtrl();
    const HTREEITEM row =
        reachableRow(tree, {"Expansion Panel 1", "Channel 8 ", "Default Output = "});
    ASSERT_TRUE(row);
    user.expectModal(IDD_CFG_ANA_OUT_OPTS, [](UiUser& user, CWnd& dialog) {
        user.type(dialog, IDC_ANA_OUT_DEFAULT_OUTPUT, "-5");
        user.pressEnter(dialog);
    });
    user.doubleClick(tree, row);

    ASSERT_TRUE(user.waitUntil([&] { return !unit.requestLog().empty(); }));
    EXPECT_EQ(unit.requestLog()[0].address, 0x2118);
    EXPECT_EQ(tree.GetItemText(row), "Default Output = -5");
    QTreeWidget* shown = user.treeOf(tree);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(user.waitUntil([&] {
        return !shown->findItems("Default Output = -5", Qt::MatchExactly | Qt::MatchRecursive)
                    .isEmpty();
    }));
}

// A file that does not open, chosen from the recent-file list or dropped on the window, leaves
// the window as it was: the document's title, its unsaved change, its settings and its link.
TEST_P(BothBackends, AFailedOpenLeavesTheWindowAsItWas) {
    ScratchFolder folder;
    const ScopedEnv configHome("XDG_CONFIG_HOME", folder.path().c_str());
    Simulator unit;
    ASSERT_EQ(unit.startTcp(), 0);
    CVtrConfigApp app;
    std::string failure;
    ASSERT_TRUE(app.start({}, failure)) << failure;
    CVtrConfigDoc& document = app.document();
    CMainFrame& frame = app.mainWindow();
    pointAtUnit(document, unit);
    const std::string good = folder.file("good.vtr");
    ASSERT_TRUE(document.DoSave(good));
    user->pressKey(frame, VK_F4, 0);
    ASSERT_TRUE(user->waitUntil([&] { return document.isConnected() != 0; }));
    user->chooseEntry(frame, ID_VIEW_HEXADECIMAL); // a change not saved
    const std::vector<uint8_t> whole = ScratchFolder::read(good);
    const std::string cut = folder.file("cut.vtr");
    ScratchFolder::write(cut, {whole.begin(), whole.end() - 1});
    app.recentFileList()->add(cut);
    frame.updateCommandUI(); // the File menu lists it, as after any command
    ASSERT_TRUE(user->waitUntil(
        [&] { return user->shownEntry(frame, ID_FILE_MRU_FILE1).text.ends_with("cut.vtr"); }));

    const DocumentSettings settings = document.settings();
    const std::string title = frame.GetWindowText();
    const unsigned rows = frame.view().GetTreeCtrl().GetCount();
    const std::function<void()> opens[] = {
        [&] { user->chooseEntry(frame, ID_FILE_MRU_FILE1); },
        [&] { frame.userDropFiles({cut}); },
    };
    for (const auto& open : opens) {
        user->answerMessageBox(IDNO); // Save changes? No.
        user->answerMessageBox(IDOK); // Unexpected file format.
        open();
        EXPECT_EQ(document.settings(), settings);
        EXPECT_TRUE(document.IsModified());
        EXPECT_EQ(document.GetPathName(), good);
        EXPECT_EQ(frame.GetWindowText(), title);
        EXPECT_NE(document.isConnected(), 0);
        EXPECT_EQ(frame.view().GetTreeCtrl().GetCount(), rows);
    }
    EXPECT_EQ((*app.recentFileList())[0], good); // the entry that failed has left the list
}

namespace {

// Counts the paints of the widgets of one window.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &m_window) {
            ++paints;
        }
        return false;
    }

private:
    QWidget& m_window;
};

} // namespace

// Against a unit that answers late, Refresh Data keeps the window alive: a resize is painted,
// the status bar shows the status text with the progress beside it, keys and clicks given
// meanwhile are dropped (not replayed afterwards), and Esc stops the refresh.
TEST(MainWindowOnScreen, ASlowRefreshPaintsDropsInputAndStopsOnEsc) {
    ConnectedProgram program;
    ASSERT_TRUE(program.connect());
    QtUiUser& user = program.user;
    CVtrConfigApp& app = program.app;
    Simulator& unit = program.unit;
    QWidget* window = user.treeOf(app.mainWindow().view().GetTreeCtrl())->window();
    auto* frameWindow = dynamic_cast<QtFrameWindow*>(window);
    ASSERT_NE(frameWindow, nullptr);
    QtBusyIndicator* indicator = frameWindow->busyIndicator();
    unit.faults().setDelayMs(150);
    unit.clearRequestLog();

    auto* tree = window->findChild<QTreeWidget*>();
    QTreeWidgetItem* const selected = tree->currentItem();
    PaintCounter counter(*window);
    int paintsBefore = -1;
    QElapsedTimer resized;
    std::string status;
    QString progress;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (paintsBefore < 0 && BusyFlow::state().done >= 5) {
            paintsBefore = counter.paints;
            window->resize(window->width() + 40, window->height() + 30);
            resized.start();
            QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
            QTest::keyClick(window, Qt::Key_F5);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton);
        } else if (paintsBefore >= 0 &&
                   (counter.paints > paintsBefore || resized.elapsed() > 1000)) {
            EXPECT_LT(resized.elapsed(), 1000) << "the resize was not painted";
            status = user.shownStatusText(app.mainWindow());
            progress = indicator->progressBar()->text();
            EXPECT_TRUE(indicator->isVisible() && indicator->cancelButton()->isEnabled());
            during.stop();
            QTest::keyClick(window, Qt::Key_Escape);
        }
    });
    during.start(20);
    user.pressKey(app.mainWindow(), VK_F4, 0);

    EXPECT_EQ(status, "Reading data from Vantrel...");
    EXPECT_TRUE(progress.endsWith(" / 15")) << progress.toStdString();
    EXPECT_EQ(user.shownStatusText(app.mainWindow()), "Cancelled");
    EXPECT_LT(unit.requestLog().size(), 20u); // of 28 in a whole refresh
    QTest::qWait(300);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "Alt+F opened the File menu";
    EXPECT_NE(app.document().isConnected(), 0) << "F5 disconnected";
    EXPECT_EQ(tree->currentItem(), selected) << "the click selected a row";
    EXPECT_FALSE(indicator->isVisible());
}

// The main window opens where the user left it when the program last ended, and on a screen
// even when that place is on none.
TEST(MainWindowOnScreen, OpensWhereTheUserLeftItAndAlwaysOnAScreen) {
    ScratchFolder folder;
    const ScopedEnv configHome("XDG_CONFIG_HOME", folder.path().c_str());
    QtUiUser user;
    const auto shownWindow = [](CVtrConfigApp& app) {
        return dynamic_cast<QtBackend&>(currentBackend()).widgetOf(&app.mainWindow());
    };
    std::string failure;
    {
        CVtrConfigApp app;
        ASSERT_TRUE(app.start({}, failure)) << failure;
        QWidget* window = shownWindow(app);
        window->setGeometry(60, 80, 600, 420);
        ASSERT_TRUE(user.waitUntil([&] {
            return app.mainWindow().GetWindowPlacement() == WindowPlacement{60, 80, 600, 420};
        }));
        user.chooseEntry(app.mainWindow(), ID_APP_EXIT);
    }
    CVtrConfigApp app;
    ASSERT_TRUE(app.start({}, failure)) << failure;
    QWidget* window = shownWindow(app);
    EXPECT_EQ(window->geometry().topLeft(), QPoint(60, 80));
    EXPECT_EQ(window->size(), QSize(600, 420));

    app.mainWindow().SetWindowPlacement({-5000, 9000, 600, 420, true});
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->normalGeometry()));
    EXPECT_TRUE(window->isMaximized());
}
