#include "support/HeadlessUi.h"
#include "ui/SampleDialog.h"

#include "ui/DialogDriver.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class DialogLifeCycleTest : public ::testing::Test {
protected:
    HeadlessUi ui;
    SampleDialog dialog;
};

TEST_F(DialogLifeCycleTest, ConfigureRunsOnOkAndEndsWithIdOk) {
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        EXPECT_EQ(user.title(), "Control Sample");
        EXPECT_EQ(user.selection(IDC_SAMPLE_COMBO), 1);
        EXPECT_EQ(user.text(IDC_SAMPLE_COMBO), "RS485");
        EXPECT_EQ(user.text(IDC_SAMPLE_EDIT), "17");
        user.click(IDOK);
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(dialog.log, ElementsAre("exchange", "init", "ok", "destroy"));
}

TEST_F(DialogLifeCycleTest, UserActionsReachTheirHandlersInOrder) {
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        user.select(IDC_SAMPLE_COMBO, 0);
        user.type(IDC_SAMPLE_EDIT, "0x20");
        user.click(IDC_SAMPLE_APPLY);
        user.pressEscape();
    });

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(dialog.log, ElementsAre("exchange", "init", "selchange", "update", "apply",
                                        "cancel", "destroy"));
}

TEST_F(DialogLifeCycleTest, EnterPressesTheDefaultButtonUnlessItIsGreyed) {
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [this](DialogDriver& user) {
        dialog.m_ok.EnableWindow(false);
        EXPECT_FALSE(user.pressEnter());
        EXPECT_FALSE(user.ended());
        dialog.m_ok.EnableWindow(true);
        user.type(IDC_SAMPLE_EDIT, "5");
        EXPECT_TRUE(user.pressEnter());
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(DialogLifeCycleTest, EnterInAMultiLineEditPressesTheDefaultButton) {
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        user.type(IDC_SAMPLE_MULTILINE, "1, 2");
        user.pressEnter();
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(DialogLifeCycleTest, RejectedOkKeepsTheDialogOpen) {
    dialog.refuseOk = true;
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [this](DialogDriver& user) {
        user.click(IDOK);
        EXPECT_FALSE(user.ended());
        dialog.refuseOk = false;
        user.click(IDOK);
        EXPECT_TRUE(user.ended());
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(DialogLifeCycleTest, ControlsAreDetachedOnceTheWindowIsGone) {
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) { user.click(IDOK); });
    dialog.DoModal();

    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_FALSE(dialog.m_choice.IsValid());
    EXPECT_EQ(dialog.m_choice.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.m_choice.AddString("late"), CB_ERR);
    EXPECT_EQ(dialog.m_value.GetWindowText(), "");
}

TEST_F(DialogLifeCycleTest, EveryRunStartsFromTheTemplate) {
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        user.type(IDC_SAMPLE_MULTILINE, "typed");
        user.click(IDOK);
    });
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        EXPECT_EQ(user.text(IDC_SAMPLE_MULTILINE), "");
        EXPECT_EQ(user.items(IDC_SAMPLE_COMBO).size(), 2u);
        user.pressEscape();
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogLifeCycleTest, FocusStartsOnTheFirstControlThatTakesIt) {
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        EXPECT_EQ(user.focus(), IDC_SAMPLE_COMBO);
        user.type(IDC_SAMPLE_SIGNED_EDIT, "1");
        EXPECT_EQ(user.focus(), IDC_SAMPLE_SIGNED_EDIT);
        user.click(IDOK);
    });

    dialog.DoModal();
}

TEST(DialogWithoutTemplate, DoModalReturnsMinusOne) {
    HeadlessBackend backend;
    ScopedBackend scope(backend);
    CDialog missing(4711);
    backend.expectDialog(4711, [](DialogDriver&) { ADD_FAILURE() << "ran without a window"; });

    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_EQ(backend.pendingDialogs(), 1u); // no window, so no loop for the script to run in
}

TEST(DialogScript, ActingOnGreyedOrMissingControlsIsAProblem) {
    HeadlessBackend backend;
    ScopedBackend scope(backend);
    SampleDialog dialog;
    backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        EXPECT_FALSE(user.click(IDC_SAMPLE_RADIO_THIRD)); // greyed in the template
        EXPECT_FALSE(user.type(4711, "x"));
        EXPECT_FALSE(user.type(IDC_SAMPLE_COMBO, "x"));
        EXPECT_FALSE(user.select(IDC_SAMPLE_COMBO, 2));
    });

    EXPECT_EQ(dialog.DoModal(), IDCANCEL); // left open by its script
    EXPECT_EQ(backend.problems().size(), 5u);
}

TEST(DialogScript, ADialogNobodyExpectedIsAProblem) {
    HeadlessBackend backend;
    ScopedBackend scope(backend);
    SampleDialog dialog;

    EXPECT_EQ(dialog.DoModal(), -1);
    ASSERT_EQ(backend.problems().size(), 1u);
    EXPECT_THAT(backend.problems()[0], ::testing::HasSubstr("without a script"));
}

} // namespace
