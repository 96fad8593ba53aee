#include "BothBackends.h"

#include "res/ResourceIds.h"
#include "ui/CTreeCtrl.h"
#include "ui/MessageBox.h"
#include "ui/SampleDialog.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <algorithm>

using ::testing::ElementsAre;

INSTANTIATE_TEST_SUITE_P(, BothBackends, ::testing::Values("Headless", "Qt"),
                         [](const auto& info) { return info.param; });

namespace {

// Typing through a real widget notifies once per key: the log keeps one of each run.
std::vector<std::string> withoutRepeats(std::vector<std::string> log) {
    log.erase(std::unique(log.begin(), log.end()), log.end());
    return log;
}

TEST_P(BothBackends, EnterRunsTheFocusedPushButtonElseTheDefaultOne) {
    SampleDialog dialog;
    user->expectModal(IDD_CONTROL_SAMPLE, [](UiUser& user, CWnd& window) {
        user.focus(window, IDC_SAMPLE_APPLY);
        user.pressEnter(window);
        EXPECT_FALSE(window.modalEnded());
        user.focus(window, IDC_SAMPLE_EDIT);
        user.pressEnter(window);
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(dialog.log, ElementsAre("exchange", "init", "apply", "ok", "destroy"));
}

TEST_P(BothBackends, PickingTypingAndCheckingReachTheControlsAndTheirHandlers) {
    SampleDialog dialog;
    user->expectModal(IDD_CONTROL_SAMPLE, [&](UiUser& user, CWnd& window) {
        dialog.m_list.AddString("first");
        dialog.m_list.AddString("second");
        user.select(window, IDC_SAMPLE_COMBO, 0);
        user.type(window, IDC_SAMPLE_EDIT, "0x20");
        user.select(window, IDC_SAMPLE_LIST, 1);
        user.click(window, IDC_SAMPLE_RADIO_SECOND);
        // A second click on a checked radio button leaves it checked.
        user.click(window, IDC_SAMPLE_RADIO_SECOND);
        EXPECT_EQ(dialog.m_choice.GetWindowText(), "RS232");
        EXPECT_EQ(dialog.m_value.GetWindowText(), "0x20");
        EXPECT_EQ(window.GetFocusId(), IDC_SAMPLE_RADIO_SECOND);
        EXPECT_EQ(window.GetCheckedRadioButton(IDC_SAMPLE_RADIO_FIRST, IDC_SAMPLE_RADIO_THIRD),
                  IDC_SAMPLE_RADIO_SECOND);
        user.pressEscape(window);
    });

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(withoutRepeats(dialog.log), ElementsAre("exchange", "init", "selchange", "update",
                                                        "list 1", "cancel", "destroy"));
}

TEST_P(BothBackends, AMessageBoxGivesTheAnswerOfTheButtonPressed) {
    user->answerMessageBox(IDNO);
    user->answerMessageBox(IDCANCEL);

    EXPECT_EQ(ShowMessageBox(nullptr, "Save changes to Untitled?", "VtrConfig", MB_YESNOCANCEL),
              IDNO);
    EXPECT_EQ(ShowMessageBox(nullptr, "Save changes to Untitled?", "VtrConfig", MB_YESNOCANCEL),
              IDCANCEL);
}

TEST_P(BothBackends, AModelessDialogTakesInputWithoutALoopAndHidesOnOk) {
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(dialog.IsWindowVisible());

    user->type(dialog, IDC_SAMPLE_EDIT, "5");
    user->click(dialog, IDC_SAMPLE_APPLY);
    user->click(dialog, IDOK);
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_FALSE(dialog.IsWindowVisible());

    dialog.DestroyWindow();
    EXPECT_THAT(withoutRepeats(dialog.log),
                ElementsAre("exchange", "init", "update", "apply", "ok", "destroy"));
}

// Ends itself on the third tick of its own timer.
class TickingPopup : public CDialog {
public:
    TickingPopup() : CDialog(IDD_ABOUTBOX) {
        onMessage(WM_TIMER, [this](uintptr_t, intptr_t) {
            if (++ticks == 3) {
                EndDialog(IDOK);
            }
        });
    }
    int ticks = 0;

protected:
    int OnInitDialog() override {
        SetTimer(1, 10);
        return 1;
    }
};

// Polls on a timer of its own and opens the popup modal over itself, as the quick channel
// view does with its output editor.
class PollingView : public CDialog {
public:
    PollingView() : CDialog(IDD_CONTROL_SAMPLE) {
        onMessage(WM_TIMER, [this](uintptr_t, intptr_t) { ++ticks; });
        onCommand(IDC_SAMPLE_APPLY, BN_CLICKED, [this] { popupResult = popup.DoModal(); });
    }
    TickingPopup popup;
    int ticks = 0;
    int popupResult = 0;

protected:
    int OnInitDialog() override {
        SetTimer(1, 5);
        return 1;
    }
};

TEST_P(BothBackends, ModalLoopsNestAndTimersRunInTheInnerOne) {
    SampleDialog frame;
    ASSERT_TRUE(frame.Create());
    CWnd::setMainWindow(&frame);
    PollingView view;
    user->expectModal(IDD_CONTROL_SAMPLE, [&](UiUser& user, CWnd& window) {
        EXPECT_EQ(window.GetParent(), &frame);
        EXPECT_FALSE(frame.IsWindowEnabled());
        user.click(window, IDC_SAMPLE_APPLY);
        EXPECT_EQ(view.popupResult, IDOK);
        EXPECT_TRUE(view.IsWindowEnabled());
        user.pressEscape(window);
    });
    int viewTicksBefore = 0;
    user->expectModal(IDD_ABOUTBOX, [&](UiUser& user, CWnd& window) {
        EXPECT_EQ(window.GetParent(), &view);
        EXPECT_FALSE(view.IsWindowEnabled());
        viewTicksBefore = view.ticks;
        EXPECT_TRUE(user.waitUntil([&] { return view.popup.modalEnded(); }));
        EXPECT_GT(view.ticks, viewTicksBefore);
    });

    EXPECT_EQ(view.DoModal(), IDCANCEL);
    EXPECT_EQ(view.popup.ticks, 3);
    EXPECT_TRUE(frame.IsWindowEnabled());
    CWnd::setMainWindow(nullptr);
}

constexpr int kViewId = 0xE900;
constexpr int kTreeId = 1;

// A view holding a tree: a double-click on a row without children opens it; on a branch it is
// left to the tree, which expands it.
class TreeView : public CWnd {
public:
    TreeView() {
        onNotify(kTreeId, NM_DBLCLK, [this] {
            const HTREEITEM row = tree.GetSelectedItem();
            if (tree.ItemHasChildren(row)) {
                return 0L;
            }
            opened.push_back(tree.GetItemText(row));
            return 1L;
        });
    }
    CTreeCtrl tree;
    std::vector<std::string> opened;
};

TEST_P(BothBackends, ATreeInAViewReportsDoubleClicksToTheView) {
    SampleDialog host;
    ASSERT_TRUE(host.Create());
    TreeView view;
    ASSERT_TRUE(view.Create(host, kViewId));
    ASSERT_TRUE(view.tree.Create(view, kTreeId));
    const HTREEITEM branch = view.tree.InsertItem("Interface Configuration", 0);
    const HTREEITEM leaf = view.tree.InsertItem("Modbus RTU Parameters", 0, branch);

    user->doubleClick(view.tree, branch);
    EXPECT_TRUE(view.tree.IsExpanded(branch));
    user->doubleClick(view.tree, leaf);
    EXPECT_THAT(view.opened, ElementsAre("Modbus RTU Parameters"));

    host.DestroyWindow();
    EXPECT_FALSE(view.IsWindow());
    EXPECT_EQ(view.tree.host(), nullptr);
    EXPECT_EQ(view.tree.GetCount(), 2u);
}

} // namespace
