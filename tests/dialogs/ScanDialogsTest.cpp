#include "dialogs/CCfgAnaScanParmsDlg.h"
#include "dialogs/CCfgScanModeDlg.h"
#include "dialogs/ScanListText.h"
#include "res/ResourceIds.h"
#include "ui/DialogDriver.h"
#include "support/HeadlessUi.h"
#include "ui/UiConstants.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using Kind = ScanListText::Result::Kind;

std::vector<uint8_t> listOf(const ScanParameters& record) {
    return {record.scanList.begin(), record.scanList.begin() + record.scanListLength};
}

std::string sixtyFourIds() {
    std::string text;
    for (int i = 0; i < 64; ++i) {
        text += (i > 0 ? "," : "") + std::to_string(i % 12); // repeats are allowed
    }
    return text;
}

TEST(ScanListText, PartsEntriesAtCommasAndSemicolonsAndRejectsByPosition) {
    const struct {
        std::string text;
        Kind kind;
        int position;
        std::vector<uint8_t> ids;
    } cases[] = {
        {"3, 17;0x20", Kind::Accepted, 0, {3, 17, 32}},
        {"0, 11, 16, 63", Kind::Accepted, 0, {0, 11, 16, 63}},
        {"", Kind::Accepted, 0, {}},
        {"1 2", Kind::Accepted, 0, {1}}, // the digits stop at the blank
        {"\t5 ,\r\n6\r\n", Kind::Accepted, 0, {5, 6}},
        {"0x3F", Kind::Accepted, 0, {63}},
        {"7, 7", Kind::Accepted, 0, {7, 7}},
        {"12", Kind::InvalidEntry, 0, {}},
        {"1, 2, 64", Kind::InvalidEntry, 2, {}},
        {"1,,2", Kind::InvalidEntry, 1, {}},
        {"1, 2,", Kind::InvalidEntry, 2, {}},
        {"1\r\n2", Kind::InvalidEntry, 0, {}}, // one entry of four characters
        {"   ", Kind::InvalidEntry, 0, {}},
        {"0x40", Kind::InvalidEntry, 0, {}},
        {"0x040", Kind::InvalidEntry, 0, {}},
        {"0x0F", Kind::InvalidEntry, 0, {}},
        {sixtyFourIds(), Kind::Accepted, 0, {}},
        {sixtyFourIds() + ", ", Kind::TooMany, 63, {}},
    };
    for (const auto& c : cases) {
        ScanParameters record;
        record.scanList.fill(0xAA);
        record.scanListLength = 3;
        const ScanParameters before = record;
        const ScanListText::Result result = ScanListText::parse(c.text, record);
        EXPECT_EQ(result.kind, c.kind) << '"' << c.text << '"';
        if (c.kind != Kind::Accepted) {
            EXPECT_EQ(result.position, c.position) << '"' << c.text << '"';
            EXPECT_EQ(record, before) << "a rejected list changes nothing";
        } else if (c.text.size() > 100) {
            EXPECT_EQ(record.scanListLength, 64);
            EXPECT_EQ(std::count(record.scanList.begin(), record.scanList.end(), 0xFF), 0);
        } else {
            EXPECT_EQ(listOf(record), c.ids) << '"' << c.text << '"';
            EXPECT_EQ(record.scanList[c.ids.size()], ScanParameters::endOfList);
        }
    }
    EXPECT_EQ(ScanListText::message({Kind::TooMany, 63}), ScanListText::tooManyMessage);
    EXPECT_NE(ScanListText::message({Kind::InvalidEntry, 2}).find("position 2"), std::string::npos);
}

class ScanDialogs : public ::testing::Test {
protected:
    HeadlessUi ui;
    CCfgAnaScanParmsDlg dialog;

    static ScanParameters record() {
        ScanParameters parameters;
        parameters.scanIntervalMs = 100;
        parameters.scanCount = 3;
        parameters.scanList = {1, 20, ScanParameters::endOfList};
        parameters.scanListLength = 2;
        return parameters;
    }
};

TEST_F(ScanDialogs, ScanModeCodesBeyondTheListPreselectContinuous) {
    CCfgScanModeDlg scanMode;
    for (const auto& [passed, shown] : {std::pair{0, 0}, {1, 1}, {5, 0}}) {
        scanMode.SetData(static_cast<uint16_t>(passed));
        ui.backend.expectDialog(IDD_CFG_SCAN_MODE, [shown](DialogDriver& user) {
            EXPECT_EQ(user.selection(IDC_SCAN_MODE), shown);
            user.click(IDOK);
        });
        ASSERT_EQ(scanMode.DoModal(), IDOK);
        EXPECT_EQ(scanMode.GetData(), shown);
    }
}

TEST_F(ScanDialogs, ParametersShowInTheDisplayFormAndComeBackUnchanged) {
    for (const int hex : {0, 1}) {
        dialog.SetData(record(), hex);
        ui.backend.expectDialog(IDD_CFG_ANA_SCAN_PARMS, [hex](DialogDriver& user) {
            EXPECT_EQ(user.text(IDC_SCAN_INTERVAL), hex ? "0x0064" : "100");
            EXPECT_EQ(user.text(IDC_SCAN_COUNT), hex ? "0x0003" : "3");
            EXPECT_EQ(user.text(IDC_SCAN_LIST), hex ? "0x01, 0x14" : "1, 20");
            user.click(IDOK);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetData(), record());
    }
}

TEST_F(ScanDialogs, FieldsAreJudgedInOrderAndTheFirstRejectionIsReportedOnItsBox) {
    const struct {
        const char* interval;
        const char* count;
        const char* list;
        int focus;
        std::string message;
    } cases[] = {
        {"70000", "x", "99", IDC_SCAN_INTERVAL, CCfgAnaScanParmsDlg::intervalMessage},
        {"10", "", "99", IDC_SCAN_COUNT, CCfgAnaScanParmsDlg::countMessage},
        {"10", "2", "1, 2, 64", IDC_SCAN_LIST,
         ScanListText::message({ScanListText::Result::InvalidEntry, 2})},
    };
    for (const auto& c : cases) {
        dialog.SetData(record(), 0);
        ui.backend.expectDialog(IDD_CFG_ANA_SCAN_PARMS, [&](DialogDriver& user) {
            user.type(IDC_SCAN_INTERVAL, c.interval);
            user.type(IDC_SCAN_COUNT, c.count);
            user.type(IDC_SCAN_LIST, c.list);
            ui.backend.answerMessageBox(IDOK);
            user.pressEnter();
            EXPECT_FALSE(user.ended());
            EXPECT_EQ(user.focus(), c.focus);
            EXPECT_EQ(ui.backend.messageBoxes().back().text, c.message);
            user.pressEscape();
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(ui.backend.messageBoxes().size(), 3u);
}

TEST_F(ScanDialogs, AnEmptyListBoxConfiguresAnEmptyList) {
    dialog.SetData(record(), 0);
    ui.backend.expectDialog(IDD_CFG_ANA_SCAN_PARMS, [](DialogDriver& user) {
        user.type(IDC_SCAN_LIST, "");
        user.pressEnter();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetData().scanListLength, 0);
    EXPECT_EQ(dialog.GetData().scanList[0], ScanParameters::endOfList);
}

} // namespace
