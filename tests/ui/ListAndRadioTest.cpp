#include "support/HeadlessUi.h"
#include "ui/SampleDialog.h"

#include "ui/DialogDriver.h"

#include <gmock/gmock.h>

#include <array>
#include <functional>

using ::testing::ElementsAre;

namespace {

// Runs `body` inside an open sample dialog, then closes it.
void withOpenDialog(HeadlessUi& ui, SampleDialog& dialog, std::function<void(DialogDriver&)> body) {
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [body](DialogDriver& user) {
        body(user);
        user.pressEscape();
    });
    dialog.DoModal();
}

TEST(ListBox, InsertDeleteAndResetKeepLinesAndSelectionInStep) {
    HeadlessUi ui;
    SampleDialog dialog;
    withOpenDialog(ui, dialog, [&](DialogDriver& user) {
        CListBox& list = dialog.m_list;
        EXPECT_EQ(list.AddString("a"), 0);
        EXPECT_EQ(list.AddString("c"), 1);
        EXPECT_EQ(list.InsertString(1, "b"), 1);
        EXPECT_EQ(list.InsertString(0, "start"), 0);
        EXPECT_EQ(list.InsertString(-1, "end"), 4);
        EXPECT_EQ(list.InsertString(6, "beyond"), LB_ERR);
        EXPECT_THAT(user.items(IDC_SAMPLE_LIST), ElementsAre("start", "a", "b", "c", "end"));

        EXPECT_EQ(list.SetCurSel(3), 3);
        EXPECT_EQ(list.DeleteString(0), 4); // a line above the selection moves it up
        EXPECT_EQ(list.GetCurSel(), 2);
        EXPECT_EQ(list.GetText(2), "c");
        EXPECT_EQ(list.DeleteString(2), 3); // the selected line itself clears it
        EXPECT_EQ(list.GetCurSel(), LB_ERR);
        EXPECT_EQ(list.DeleteString(3), LB_ERR);
        EXPECT_EQ(list.SetCurSel(7), LB_ERR);
        EXPECT_EQ(list.GetCurSel(), -1);
        EXPECT_THAT(user.items(IDC_SAMPLE_LIST), ElementsAre("a", "b", "end"));

        list.SetCurSel(0);
        list.ResetContent();
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_EQ(list.GetCurSel(), LB_ERR);
    });
}

TEST(ListBox, TabStopsAndRedrawAreKeptForTheRenderer) {
    HeadlessUi ui;
    SampleDialog dialog;
    withOpenDialog(ui, dialog, [&](DialogDriver& user) {
        const std::array<int, 3> stops = {5, 17, 50};
        dialog.m_list.SetTabStops(stops);
        dialog.m_list.SetRedraw(false);
        dialog.m_list.AddString("\t3\tInput\t17");
        EXPECT_THAT(user.control(IDC_SAMPLE_LIST)->tabStops, ElementsAre(5, 17, 50));
        EXPECT_FALSE(user.control(IDC_SAMPLE_LIST)->redraw);
        EXPECT_EQ(dialog.m_list.GetText(0), "\t3\tInput\t17");
    });
}

TEST(ListBox, ClickingALineNotifiesTheDialog) {
    HeadlessUi ui;
    SampleDialog dialog;
    withOpenDialog(ui, dialog, [&](DialogDriver& user) {
        dialog.m_list.AddString("first");
        dialog.m_list.AddString("second");
        EXPECT_TRUE(user.select(IDC_SAMPLE_LIST, 1));
    });
    EXPECT_THAT(dialog.log, ::testing::Contains("list 1"));
}

TEST(ComboBox, ShowsTheSelectedLineAsItsText) {
    HeadlessUi ui;
    SampleDialog dialog;
    withOpenDialog(ui, dialog, [&](DialogDriver& user) {
        EXPECT_EQ(user.text(IDC_SAMPLE_COMBO), "RS485");
        dialog.m_choice.SetCurSel(-1);
        EXPECT_EQ(user.text(IDC_SAMPLE_COMBO), "");
        user.select(IDC_SAMPLE_COMBO, 0);
        EXPECT_EQ(dialog.m_choice.GetCurSel(), 0);
        EXPECT_EQ(dialog.m_choice.GetLBText(0), "RS232");
    });
}

TEST(RadioButtons, CheckingOneOfARangeClearsTheOthers) {
    HeadlessUi ui;
    SampleDialog dialog;
    withOpenDialog(ui, dialog, [&](DialogDriver& user) {
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_SAMPLE_RADIO_FIRST, IDC_SAMPLE_RADIO_THIRD), 0);
        dialog.CheckRadioButton(IDC_SAMPLE_RADIO_FIRST, IDC_SAMPLE_RADIO_THIRD,
                                IDC_SAMPLE_RADIO_THIRD);
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_SAMPLE_RADIO_FIRST, IDC_SAMPLE_RADIO_THIRD),
                  IDC_SAMPLE_RADIO_THIRD);
        // The range bounds what is read: the checked button lies outside this one.
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_SAMPLE_RADIO_FIRST, IDC_SAMPLE_RADIO_SECOND), 0);

        user.click(IDC_SAMPLE_RADIO_SECOND);
        EXPECT_TRUE(user.checked(IDC_SAMPLE_RADIO_SECOND));
        EXPECT_FALSE(user.checked(IDC_SAMPLE_RADIO_THIRD));
        EXPECT_FALSE(user.checked(IDC_SAMPLE_RADIO_FIRST));
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_SAMPLE_RADIO_FIRST, IDC_SAMPLE_RADIO_THIRD),
                  IDC_SAMPLE_RADIO_SECOND);
    });
}

TEST(Controls, GreyingAndTextReachTheState) {
    HeadlessUi ui;
    SampleDialog dialog;
    withOpenDialog(ui, dialog, [&](DialogDriver& user) {
        EXPECT_FALSE(dialog.m_value.EnableWindow(false)); // it was enabled before
        EXPECT_FALSE(user.enabled(IDC_SAMPLE_EDIT));
        EXPECT_TRUE(dialog.m_value.EnableWindow(true));
        dialog.m_value.SetWindowText("N/A");
        EXPECT_EQ(user.text(IDC_SAMPLE_EDIT), "N/A");
        dialog.SetWindowText("Analog Panel 2 Chan 5");
        EXPECT_EQ(user.title(), "Analog Panel 2 Chan 5");
        dialog.GotoDlgCtrl(dialog.m_value);
        EXPECT_EQ(user.focus(), IDC_SAMPLE_EDIT);
        dialog.GetDlgItem(IDC_SAMPLE_RADIO_THIRD).EnableWindow(true);
        EXPECT_TRUE(user.click(IDC_SAMPLE_RADIO_THIRD));
        EXPECT_FALSE(dialog.GetDlgItem(4711).IsValid());
    });
}

} // namespace
