#include "quickview/CChanQuickViewDlg.h"
#include "quickview/CEditPopupDlg.h"

#include "res/ResourceIds.h"
#include "support/HeadlessUi.h"
#include "support/SimulatedDocument.h"
#include "ui/ControlState.h"
#include "ui/DialogDriver.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr int analogPanel0 = IDC_QV_ANALOG_PANEL_0;
constexpr int digitalPanel0 = IDC_QV_DIGITAL_PANEL_0;

class QuickViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(unit.ready());
        unit.sim.unit().freezeLiveValues(3);
        unit.sim.clearRequestLog();
    }

    uint16_t liveRegister(uint16_t address) {
        uint16_t value = 0;
        unit.sim.unit().readRegisters(address, 1, &value);
        return value;
    }
    std::string liveCoil(uint16_t address) {
        uint8_t bit = 0;
        unit.sim.unit().readCoils(address, 1, &bit);
        return std::to_string(bit);
    }
    std::string analogLine(int channel, const char* kind, uint16_t value) {
        return "\t" + std::to_string(channel) + "\t" + kind + "\t" + std::to_string(value);
    }
    // Reads of live values the unit has served since the last look.
    size_t takeRequests() {
        const size_t count = unit.sim.requestLog().size();
        unit.sim.clearRequestLog();
        return count;
    }
    // Opens the view and runs the script as its user.
    void view(HeadlessBackend::DialogUser user) {
        ui.backend.expectDialog(IDD_CHAN_QUICK_VIEW, std::move(user));
        CChanQuickViewDlg::Show(unit.doc);
        EXPECT_EQ(ui.backend.pendingDialogs(), 0u);
    }
    // From opening, through the step that takes up the panel, to the end of the first pass of
    // `channels` reads.
    static void firstPass(DialogDriver& user, int channels) {
        user.advance(CChanQuickViewDlg::openingDelayMs);
        user.advance(CChanQuickViewDlg::panelChangeDelayMs);
        user.advance(CChanQuickViewDlg::channelDelayMs * (channels - 1));
    }

    SimulatedDocument unit{SimulatedDocument::fewChannelsProfile()};
    HeadlessUi ui;
};

TEST_F(QuickViewTest, OpensOnTheFirstListedPanelAndReadsOneChannelPerStep) {
    view([&](DialogDriver& user) {
        EXPECT_EQ(user.title(), "Quick Channel View");
        for (int id = analogPanel0; id <= IDC_QV_LAST_PANEL; ++id) {
            const bool listed = id == analogPanel0 || id == digitalPanel0;
            EXPECT_EQ(user.enabled(id), listed) << id;
            EXPECT_EQ(user.checked(id), id == analogPanel0) << id;
        }
        EXPECT_THAT(user.items(IDC_QV_LIST), ElementsAre("Reading from device..."));
        EXPECT_EQ(user.text(IDC_QV_STATUS), "Initializing...");
        EXPECT_THAT(user.control(IDC_QV_LIST)->tabStops, ElementsAre(5, 17, 50));

        user.advance(CChanQuickViewDlg::openingDelayMs); // takes up the panel
        EXPECT_THAT(user.items(IDC_QV_LIST), IsEmpty());
        EXPECT_EQ(takeRequests(), 0u);
        user.advance(CChanQuickViewDlg::panelChangeDelayMs - 1);
        EXPECT_THAT(user.items(IDC_QV_LIST), IsEmpty());
        user.advance(1);
        EXPECT_THAT(user.items(IDC_QV_LIST), ElementsAre(analogLine(0, "Input", liveRegister(0))));
        EXPECT_EQ(user.text(IDC_QV_STATUS), "reading...");
        user.advance(CChanQuickViewDlg::channelDelayMs * 2);
        EXPECT_THAT(user.items(IDC_QV_LIST), ElementsAre(analogLine(0, "Input", liveRegister(0)),
                                                         analogLine(1, "Output", 250),
                                                         analogLine(3, "Input", liveRegister(3))));
        EXPECT_EQ(user.text(IDC_QV_STATUS), "paused");
        EXPECT_TRUE(user.control(IDC_QV_LIST)->redraw);
        EXPECT_EQ(takeRequests(), 3u);

        // The next pass reads the inputs with the list's redraw off, and not the output, which
        // only the view itself writes.
        unit.sim.unit().freezeLiveValues(4);
        const uint16_t output = 777;
        unit.sim.unit().writeRegisters(1, 1, &output);
        takeRequests();
        user.advance(CChanQuickViewDlg::passPauseMs - 1);
        EXPECT_EQ(takeRequests(), 0u);
        user.advance(1);
        EXPECT_FALSE(user.control(IDC_QV_LIST)->redraw);
        EXPECT_EQ(user.text(IDC_QV_STATUS), "reading...");
        user.advance(CChanQuickViewDlg::channelDelayMs * 2);
        EXPECT_THAT(user.items(IDC_QV_LIST), ElementsAre(analogLine(0, "Input", liveRegister(0)),
                                                         analogLine(1, "Output", 250),
                                                         analogLine(3, "Input", liveRegister(3))));
        EXPECT_TRUE(user.control(IDC_QV_LIST)->redraw);
        EXPECT_EQ(takeRequests(), 2u);
        user.click(IDC_QV_CLOSE);
    });
}

TEST_F(QuickViewTest, SwitchingPanelsStartsOverAndShowsDigitalValuesAsBits) {
    unit.doc.setHexDisplay(1);
    view([&](DialogDriver& user) {
        firstPass(user, 3);
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04X", liveRegister(3));
        EXPECT_EQ(user.items(IDC_QV_LIST).at(2), std::string("\t3\tInput\t") + hex);
        EXPECT_EQ(user.items(IDC_QV_LIST).at(1), "\t1\tOutput\t0x00FA");

        user.click(digitalPanel0);
        // A click on a line of the panel left behind writes nothing (no popup opens).
        user.select(IDC_QV_LIST, 1);
        EXPECT_EQ(user.selection(IDC_QV_LIST), -1);
        EXPECT_EQ(user.items(IDC_QV_LIST).size(), 3u);
        user.advance(CChanQuickViewDlg::passPauseMs);
        EXPECT_THAT(user.items(IDC_QV_LIST), IsEmpty());
        user.advance(CChanQuickViewDlg::panelChangeDelayMs + CChanQuickViewDlg::channelDelayMs);
        EXPECT_THAT(user.items(IDC_QV_LIST),
                    ElementsAre("\t2\tInput\t" + liveCoil(2), "\t4\tOutput\t0"));
        user.pressEscape();
    });
    EXPECT_THAT(ui.backend.messageBoxes(), IsEmpty());
}

TEST_F(QuickViewTest, AFailedReadShowsItsErrorLineAndTheNextPassRecovers) {
    view([&](DialogDriver& user) {
        unit.sim.faults().addException(3, 3, 4); // analog input 3 answers "device failure"
        firstPass(user, 3);
        EXPECT_EQ(user.items(IDC_QV_LIST).at(2),
                  "\t3\tInput\t(164, Slave Device Failure exception resp)");

        // A unit that stops answering: every input times out, the output keeps its line.
        unit.sim.faults().clearExceptions();
        unit.sim.faults().setSilent(true);
        unit.master.setTimeout(100);
        user.advance(CChanQuickViewDlg::passPauseMs + CChanQuickViewDlg::channelDelayMs * 2);
        const std::string timedOut = "(132, Reply time-out                     )";
        EXPECT_THAT(user.items(IDC_QV_LIST),
                    ElementsAre("\t0\tInput\t" + timedOut, analogLine(1, "Output", 250),
                                "\t3\tInput\t" + timedOut));

        unit.sim.faults().setSilent(false);
        unit.master.setTimeout(MbusMasterFunctions::defaultTimeoutMs);
        user.advance(CChanQuickViewDlg::passPauseMs + CChanQuickViewDlg::channelDelayMs * 2);
        EXPECT_THAT(user.items(IDC_QV_LIST), ElementsAre(analogLine(0, "Input", liveRegister(0)),
                                                         analogLine(1, "Output", 250),
                                                         analogLine(3, "Input", liveRegister(3))));
        user.click(IDC_QV_CLOSE);
    });
}

TEST_F(QuickViewTest, AnAnalogOutputTakesTheValueTypedInThePopup) {
    view([&](DialogDriver& user) {
        firstPass(user, 3);
        user.select(IDC_QV_LIST, 0); // an input: nothing to write
        EXPECT_EQ(user.selection(IDC_QV_LIST), -1);

        ui.backend.expectDialog(IDD_EDIT_POPUP, [&](DialogDriver& popup) {
            EXPECT_EQ(popup.title(), "Analog Panel 0 Chan 1");
            EXPECT_EQ(popup.text(IDC_POPUP_EDIT), "");
            EXPECT_FALSE(popup.enabled(IDC_POPUP_OK));
            popup.type(IDC_POPUP_EDIT, "65536");
            ui.backend.answerMessageBox(IDOK);
            popup.click(IDC_POPUP_OK);
            EXPECT_FALSE(popup.ended());
            EXPECT_EQ(popup.text(IDC_POPUP_EDIT), "65536");
            // Polling waits while the popup is open.
            takeRequests();
            popup.advance(2000);
            EXPECT_EQ(takeRequests(), 0u);
            popup.type(IDC_POPUP_EDIT, "");
            EXPECT_FALSE(popup.enabled(IDC_POPUP_OK));
            popup.type(IDC_POPUP_EDIT, "0xFFFE");
            popup.pressEnter();
        });
        user.select(IDC_QV_LIST, 1);
        EXPECT_EQ(unit.sim.unit().analogOutputValue(1), 0xFFFE);
        EXPECT_EQ(user.selection(IDC_QV_LIST), -1);
        EXPECT_EQ(user.items(IDC_QV_LIST).size(), 2u); // its line goes until it is read again
        user.advance(CChanQuickViewDlg::passPauseMs);
        EXPECT_EQ(user.items(IDC_QV_LIST).at(1), analogLine(1, "Output", 0xFFFE));

        ui.backend.expectDialog(IDD_EDIT_POPUP, [](DialogDriver& popup) { popup.pressEscape(); });
        user.select(IDC_QV_LIST, 1);
        EXPECT_EQ(unit.sim.unit().analogOutputValue(1), 0xFFFE);

        // A refused write is reported and leaves the line as it was.
        unit.sim.faults().addException(1, 1, 4);
        ui.backend.expectDialog(IDD_EDIT_POPUP, [](DialogDriver& popup) {
            popup.type(IDC_POPUP_EDIT, "0X10"); // "0" and a stop: zero
            popup.click(IDC_POPUP_OK);
        });
        ui.backend.answerMessageBox(IDOK);
        user.select(IDC_QV_LIST, 1);
        EXPECT_EQ(user.items(IDC_QV_LIST).at(1), analogLine(1, "Output", 0xFFFE));
        user.click(IDC_QV_CLOSE);
    });
    ASSERT_EQ(ui.backend.messageBoxes().size(), 2u);
    EXPECT_EQ(ui.backend.messageBoxes()[0].text, CEditPopupDlg::invalidValueMessage);
    EXPECT_EQ(ui.backend.messageBoxes()[0].style, MB_OK | MB_ICONWARNING);
    EXPECT_EQ(ui.backend.messageBoxes()[1].text, "Error 164:  Slave Device Failure exception resp");
}

TEST_F(QuickViewTest, ADigitalOutputIsToggledOnlyWhenTheUserSaysYes) {
    view([&](DialogDriver& user) {
        user.click(digitalPanel0);
        firstPass(user, 2);
        ASSERT_THAT(user.items(IDC_QV_LIST),
                    ElementsAre("\t2\tInput\t" + liveCoil(2), "\t4\tOutput\t0"));

        ui.backend.answerMessageBox(IDNO);
        user.select(IDC_QV_LIST, 1);
        EXPECT_FALSE(unit.sim.unit().digitalOutputValue(4));

        ui.backend.answerMessageBox(IDYES);
        user.select(IDC_QV_LIST, 1);
        EXPECT_TRUE(unit.sim.unit().digitalOutputValue(4));
        user.advance(CChanQuickViewDlg::passPauseMs);
        EXPECT_EQ(user.items(IDC_QV_LIST).at(1), "\t4\tOutput\t1");

        ui.backend.answerMessageBox(IDYES);
        user.select(IDC_QV_LIST, 1);
        EXPECT_FALSE(unit.sim.unit().digitalOutputValue(4));
        user.click(IDC_QV_CLOSE);
    });
    const auto& boxes = ui.backend.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Toggle digital output to a 1?");
    EXPECT_EQ(boxes[0].caption, "Digital Panel 0 Chan 4");
    EXPECT_EQ(boxes[0].style, MB_YESNO);
    EXPECT_NE(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[1].text, "Toggle digital output to a 1?");
    EXPECT_EQ(boxes[2].text, "Toggle digital output to a 0?");
}

TEST(QuickView, AUnitWithoutConfiguredChannelsGetsAMessageInsteadOfTheView) {
    SimProfile profile = SimulatedDocument::fewChannelsProfile();
    profile.analogState.fill(SimProfile::Vacant);
    profile.digitalPanels[0].state.fill(SimProfile::Vacant);
    SimulatedDocument unit(profile);
    ASSERT_TRUE(unit.ready());
    HeadlessUi ui;
    ui.backend.answerMessageBox(IDOK);

    CChanQuickViewDlg::Show(unit.doc);

    ASSERT_EQ(ui.backend.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.backend.messageBoxes()[0].text,
              "No channels have been configured (all are set to \"vacant\").");
    EXPECT_EQ(ui.backend.messageBoxes()[0].caption, "VtrConfig");
}

} // namespace
