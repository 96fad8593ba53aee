#include "ExampleRecordDlg.h"

#include "ui/DialogDriver.h"
#include "support/HeadlessUi.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

namespace {

using Record = ExampleRecordDlg::Record;

class DialogConventionsTest : public ::testing::Test {
protected:
    HeadlessUi ui;
    ExampleRecordDlg dialog;
};

TEST_F(DialogConventionsTest, ConfirmingUnchangedInHexadecimalReturnsTheValuesShown) {
    dialog.SetData({1, 100, -5}, 2, true);
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        EXPECT_EQ(user.text(IDC_SAMPLE_GROUP), "Expansion Panel 2");
        EXPECT_EQ(user.text(IDC_SAMPLE_COMBO), "User-Defined");
        EXPECT_EQ(user.text(IDC_SAMPLE_EDIT), "0x0064");
        EXPECT_EQ(user.text(IDC_SAMPLE_SIGNED_EDIT), "0xFFFB");
        user.click(IDOK);
    });

    ASSERT_EQ(dialog.DoModal(), IDOK);
    const Record result = dialog.GetData();
    EXPECT_EQ(result.scanMode, 1);
    EXPECT_EQ(result.scanIntervalMs, 100);
    EXPECT_EQ(result.defaultOutput, -5);
}

TEST_F(DialogConventionsTest, AStoredValueBeyondTheLastEntryPreselectsTheFirst) {
    const struct {
        uint16_t stored;
        int preselected;
    } cases[] = {{0, 0}, {1, 1}, {2, 0}, {5, 0}, {0xFFFF, 0}};
    for (const auto& c : cases) {
        dialog.SetData({c.stored, 0, 0}, 0, false);
        ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [&](DialogDriver& user) {
            EXPECT_EQ(user.selection(IDC_SAMPLE_COMBO), c.preselected) << c.stored;
            EXPECT_EQ(user.items(IDC_SAMPLE_COMBO).size(), 2u);
            user.click(IDOK);
        });
        dialog.DoModal();
        EXPECT_EQ(dialog.GetData().scanMode, c.preselected);
    }
}

TEST_F(DialogConventionsTest, ARejectedFieldIsReportedFocusedAndKeepsTheDialogOpen) {
    dialog.SetData({0, 7, 3}, 0, false);
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [this](DialogDriver& user) {
        user.type(IDC_SAMPLE_EDIT, "70000");
        user.type(IDC_SAMPLE_SIGNED_EDIT, "40000"); // also wrong, but never looked at
        ui.backend.answerMessageBox(IDOK);
        user.click(IDOK);

        EXPECT_FALSE(user.ended());
        EXPECT_EQ(user.focus(), IDC_SAMPLE_EDIT);
        EXPECT_EQ(user.text(IDC_SAMPLE_EDIT), "70000");
        ASSERT_EQ(ui.backend.messageBoxes().size(), 1u);
        const auto& box = ui.backend.messageBoxes()[0];
        EXPECT_EQ(box.caption, "Data Error");
        EXPECT_EQ(box.text, ExampleRecordDlg::kIntervalMessage);
        EXPECT_EQ(box.style, MB_OK | MB_ICONSTOP);
        EXPECT_EQ(box.owner, &dialog);

        // The second field is judged only once the first one passes.
        user.type(IDC_SAMPLE_EDIT, "0x1C20");
        ui.backend.answerMessageBox(IDOK);
        user.pressEnter();
        EXPECT_EQ(user.focus(), IDC_SAMPLE_SIGNED_EDIT);
        EXPECT_EQ(ui.backend.messageBoxes().back().text, ExampleRecordDlg::kOutputMessage);

        user.type(IDC_SAMPLE_SIGNED_EDIT, "-32768");
        user.click(IDOK);
    });

    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetData().scanIntervalMs, 0x1C20);
    EXPECT_EQ(dialog.GetData().defaultOutput, -32768);
}

TEST_F(DialogConventionsTest, CancellingAfterARejectionLeavesTheCallersValuesAlone) {
    const Record held{1, 250, 12};
    dialog.SetData(held, 0, false);
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [this](DialogDriver& user) {
        user.type(IDC_SAMPLE_EDIT, "0x");
        ui.backend.answerMessageBox(IDOK);
        user.click(IDOK);
        user.pressEscape();
    });

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    // The next opening starts from SetData, so nothing of the abandoned run is shown.
    dialog.SetData(held, 0, false);
    ui.backend.expectDialog(IDD_CONTROL_SAMPLE, [](DialogDriver& user) {
        EXPECT_EQ(user.text(IDC_SAMPLE_EDIT), "250");
        user.pressEscape();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(DisplayNumber, ShowsEachWidthInItsHexadecimalOrDecimalForm) {
    EXPECT_EQ(DisplayUInt8(31, true), "0x1F");
    EXPECT_EQ(DisplayUInt8(31, false), "31");
    EXPECT_EQ(DisplayUInt16(7200, true), "0x1C20");
    EXPECT_EQ(DisplayUInt16(65535, false), "65535");
    EXPECT_EQ(DisplayInt16(-1, true), "0xFFFF");
    EXPECT_EQ(DisplayInt16(10, true), "0x000A");
    EXPECT_EQ(DisplayInt16(-32768, false), "-32768");
    EXPECT_EQ(DisplayInt16Short(5, true), "0x5");
    EXPECT_EQ(DisplayInt16Short(-5, true), "0xFFFB");
    EXPECT_EQ(DisplayInt16Short(-5, false), "-5");
}

TEST(GroupCaption, NamesPanelsAndChannels) {
    EXPECT_EQ(AnalogPanelCaption(0), "Panel 0 (Base Unit)");
    EXPECT_EQ(AnalogPanelCaption(3), "Expansion Panel 3");
    EXPECT_EQ(DigitalPanelCaption(5), "Digital Panel 5");
    EXPECT_EQ(ChannelCaption(2, 15), "Panel 2, Channel 15");
}

} // namespace
