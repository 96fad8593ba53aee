#include "support/HeadlessUi.h"

#include "res/ResourceIds.h"
#include "ui/CDialog.h"
#include "ui/DialogDriver.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// Polls like the quick channel view: each tick kills the timer and posts a step to itself,
// and the step arms the next delay.
class PollingDialog : public CDialog {
public:
    PollingDialog() : CDialog(IDD_CONTROL_SAMPLE) {
        onMessage(WM_TIMER, [this](uintptr_t timerId, intptr_t) {
            log.push_back("tick " + std::to_string(timerId) + " at " +
                          std::to_string(clock->nowMs()));
            KillTimer(timerId);
            PostMessage(WM_USER, timerId);
        });
        onMessage(WM_USER, [this](uintptr_t timerId, intptr_t) {
            log.push_back("step " + std::to_string(timerId));
            if (++steps < 3) {
                SetTimer(timerId, 20);
            }
        });
        onMessage(WM_DESTROY, [this](uintptr_t, intptr_t) { KillTimer(1); });
    }
    HeadlessBackend* clock = nullptr;
    std::vector<std::string> log;
    int steps = 0;

protected:
    int OnInitDialog() override {
        SetTimer(1, 20);
        return 1;
    }
};

TEST(Timers, FireInTimeOrderWithPostedStepsBetween) {
    HeadlessUi ui;
    PollingDialog dialog;
    dialog.clock = &ui.backend;
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [&](DialogDriver& user) {
        user.advance(19);
        EXPECT_TRUE(dialog.log.empty());
        user.advance(200);
        user.pressEscape();
    });

    dialog.DoModal();
    EXPECT_THAT(dialog.log, ElementsAre("tick 1 at 20", "step 1", "tick 1 at 40", "step 1",
                                        "tick 1 at 60", "step 1"));
}

class TwoTimerWindow : public CDialog {
public:
    TwoTimerWindow() : CDialog(IDD_CONTROL_SAMPLE) {
        onMessage(WM_TIMER, [this](uintptr_t timerId, intptr_t) {
            log.push_back(static_cast<int>(timerId));
        });
    }
    std::vector<int> log;
};

TEST(Timers, RepeatUntilKilledAndRearmingReplacesTheDelay) {
    HeadlessUi ui;
    TwoTimerWindow window;
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [&](DialogDriver& user) {
        EXPECT_EQ(window.SetTimer(1, 30), 1u);
        EXPECT_EQ(window.SetTimer(2, 50), 2u);
        user.advance(100); // 1 at 30, 60, 90; 2 at 50, 100
        EXPECT_THAT(window.log, ElementsAre(1, 2, 1, 1, 2));
        window.log.clear();
        window.SetTimer(2, 500); // re-arming starts the delay anew
        EXPECT_TRUE(window.KillTimer(1));
        EXPECT_FALSE(window.KillTimer(1));
        user.advance(499);
        EXPECT_TRUE(window.log.empty());
        user.advance(1);
        EXPECT_THAT(window.log, ElementsAre(2));
        user.pressEscape();
    });

    window.DoModal();
    EXPECT_FALSE(ui.backend.hasTimer(window, 2)); // dropped with the window
}

TEST(PostedMessages, ArriveInOrderOnlyWhenPumpedAndNotAfterTheWindowIsGone) {
    HeadlessUi ui;
    struct Receiver : CDialog {
        Receiver() : CDialog(IDD_CONTROL_SAMPLE) {
            onMessage(WM_USER,
                      [this](uintptr_t w, intptr_t) { got.push_back(static_cast<int>(w)); });
        }
        std::vector<int> got;
    } window;
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [&](DialogDriver& user) {
        window.PostMessage(WM_USER, 1);
        window.PostMessage(WM_USER, 2);
        EXPECT_TRUE(window.got.empty());
        user.pumpMessages();
        EXPECT_THAT(window.got, ElementsAre(1, 2));
        window.PostMessage(WM_USER, 3);
        user.pressEscape();
    });

    window.DoModal();
    ui.backend.pumpMessages();
    EXPECT_THAT(window.got, ElementsAre(1, 2));
    EXPECT_FALSE(window.PostMessage(WM_USER, 4)); // no window, no queue
    EXPECT_EQ(window.SetTimer(1, 10), 0u);
}

TEST(MessageBoxes, AreRecordedWithTheirStyleAndAnsweredFromTheQueue) {
    HeadlessUi ui;
    ui.backend.answerMessageBox(IDYES);
    ui.backend.answerMessageBox(IDCANCEL);

    EXPECT_EQ(ShowMessageBox(nullptr, "Toggle digital output to a 1?", "Digital Panel 2 Chan 5",
                             MB_YESNO),
              IDYES);
    EXPECT_EQ(ShowMessageBox(nullptr, "Changes ...", "Connect Error",
                             MB_OKCANCEL | MB_ICONERROR | MB_TASKMODAL),
              IDCANCEL);

    ASSERT_EQ(ui.backend.messageBoxes().size(), 2u);
    const auto& box = ui.backend.messageBoxes()[1];
    EXPECT_EQ(box.caption, "Connect Error");
    EXPECT_EQ(box.style, MB_OKCANCEL | MB_ICONERROR | MB_TASKMODAL);
    EXPECT_EQ(box.owner, nullptr);
}

TEST(MessageBoxes, TheApplicationFormTakesTheTitleAndAddsTheWarningIconToAPlainOkBox) {
    HeadlessUi ui;
    const struct {
        unsigned style;
        unsigned shown;
    } cases[] = {
        {MB_OK, MB_OK | MB_ICONWARNING},
        {MB_OK | MB_ICONERROR, MB_OK | MB_ICONERROR},
        {MB_OKCANCEL, MB_OKCANCEL},
    };
    for (const auto& c : cases) {
        ui.backend.answerMessageBox(IDOK);
        AfxMessageBox("OPC configuration file created.", c.style);
        EXPECT_EQ(ui.backend.messageBoxes().back().style, c.shown) << c.style;
        EXPECT_EQ(ui.backend.messageBoxes().back().caption, "VtrConfig");
    }
}

TEST(MessageBoxes, AnUnexpectedBoxIsAProblemAndGetsTheNegativeAnswer) {
    HeadlessBackend backend;
    ScopedBackend scope(backend);
    backend.answerMessageBox(IDOK); // does not fit a Yes/No box

    EXPECT_EQ(ShowMessageBox(nullptr, "Reset?", "Reset Analog Panels", MB_YESNO), IDNO);
    EXPECT_EQ(ShowMessageBox(nullptr, "Again?", "Reset Analog Panels", MB_YESNO), IDNO);
    EXPECT_EQ(backend.problems().size(), 2u);
}

TEST(MessageBoxes, ABoxOwnedByADialogNamesItsOwner) {
    HeadlessUi ui;
    CDialog dialog(IDD_CONTROL_SAMPLE);
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [&](DialogDriver& user) {
        ui.backend.answerMessageBox(IDOK);
        dialog.MessageBox("Invalid Scan Count", "Data Error", MB_OK | MB_ICONSTOP);
        user.pressEscape();
    });

    dialog.DoModal();
    ASSERT_EQ(ui.backend.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.backend.messageBoxes()[0].owner, &dialog);
}

} // namespace

namespace {

TEST(FileDialogs, APickedSaveNameGetsTheDefaultExtensionAndCancelIsIdCancel) {
    HeadlessUi ui;
    const FileDialogRequest save{false, "Save As", "Vtr Config Files (*.vtr)", ".vtr", ""};
    const struct {
        std::optional<std::string> pick;
        int result;
        std::string path;
    } cases[] = {
        {"/home/op/plant", IDOK, "/home/op/plant.vtr"},
        {"/home/op/plant.vtr", IDOK, "/home/op/plant.vtr"},
        {"/home/op.d/plant", IDOK, "/home/op.d/plant.vtr"},
        {std::nullopt, IDCANCEL, "unchanged"},
    };
    for (const auto& c : cases) {
        ui.backend.answerFileDialog(c.pick);
        std::string path = "unchanged";
        EXPECT_EQ(ShowFileDialog(nullptr, save, path), c.result);
        EXPECT_EQ(path, c.path);
    }
    EXPECT_EQ(ui.backend.fileDialogs().size(), 4u);
    EXPECT_EQ(ui.backend.fileDialogs()[0].filter, "Vtr Config Files (*.vtr)");
}

} // namespace
