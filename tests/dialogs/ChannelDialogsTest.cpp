#include "device/ChannelState.h"
#include "dialogs/CCfgAnaChanStatesDlg.h"
#include "dialogs/CCfgAnaInOptsDlg.h"
#include "dialogs/CCfgAnaOutOptsDlg.h"
#include "dialogs/CCfgDigChanStatesDlg.h"
#include "dialogs/CCfgDigOutOptsDlg.h"
#include "dialogs/CCfgMultAnaInOptsDlg.h"
#include "dialogs/CCfgMultAnaOutOptsDlg.h"
#include "dialogs/CCfgMultDigOutOptsDlg.h"
#include "res/ResourceIds.h"
#include "ui/DialogDriver.h"
#include "support/HeadlessUi.h"
#include "ui/UiConstants.h"

#include <gtest/gtest.h>

namespace {

constexpr int16_t V = ChannelState::vacant;
constexpr int16_t I = ChannelState::input;
constexpr int16_t O = ChannelState::output;
constexpr int16_t X = ChannelState::invalid;

// A panel with every role, and an unknown code on channel 3.
constexpr PanelValues<int16_t> kStates{I, O, V, X, I, I, O, O, V, V, I, O, I, O, V, I};

class ChannelDialogs : public ::testing::Test {
protected:
    HeadlessUi ui;

    template <typename Dialog>
    int run(Dialog& dialog, int templateId, HeadlessBackend::DialogUser user) {
        ui.backend.expectDialog(templateId, std::move(user));
        return dialog.DoModal();
    }
};

TEST_F(ChannelDialogs, ChannelStatesGreyOnlyTheBaseUnitsMissingChannelsAndReturnKnownCodes) {
    PanelValues<int16_t> expected = kStates;
    expected[3] = V;
    const struct {
        int panel;
        int lastActive;
        const char* caption;
    } analog[] = {{0, 11, "Panel 0 (Base Unit)"}, {2, 15, "Expansion Panel 2"}};
    CCfgAnaChanStatesDlg dialog;
    for (const auto& c : analog) {
        dialog.SetData(c.panel, kStates);
        ASSERT_EQ(run(dialog, IDD_CFG_ANA_CHAN_STATES,
                      [&](DialogDriver& user) {
                          EXPECT_EQ(user.text(IDC_CHAN_STATES_GROUP), c.caption);
                          for (int ch = 0; ch < 16; ++ch) {
                              EXPECT_EQ(user.enabled(idcAnaStateList(ch)), ch <= c.lastActive);
                              EXPECT_TRUE(user.enabled(idcAnaStateLabel(ch)));
                              EXPECT_EQ(user.selection(idcAnaStateList(ch)), expected[ch]);
                          }
                          EXPECT_EQ(user.items(idcAnaStateList(0)),
                                    (std::vector<std::string>{"Vacant", "Input", "Output"}));
                          user.select(idcAnaStateList(1), 0);
                          user.click(IDOK);
                      }),
                  IDOK);
        PanelValues<int16_t> changed = expected;
        changed[1] = V;
        EXPECT_EQ(dialog.GetData(), changed) << "greyed lists keep their states";
    }

    CCfgDigChanStatesDlg digital;
    digital.SetData(5, kStates);
    ASSERT_EQ(run(digital, IDD_CFG_DIG_CHAN_STATES,
                  [](DialogDriver& user) {
                      EXPECT_EQ(user.text(IDC_CHAN_STATES_GROUP), "Digital Panel 5");
                      for (int ch = 0; ch < 16; ++ch) {
                          EXPECT_TRUE(user.enabled(idcDigStateList(ch)));
                      }
                      user.click(IDOK);
                  }),
              IDOK);
    EXPECT_EQ(digital.GetData(), expected);
}

TEST_F(ChannelDialogs, AverageWeightListsOfferTheDisplayFormAndReturnThePosition) {
    CCfgAnaInOptsDlg single;
    for (const auto& [stored, hex, first, returned] : {std::tuple{uint16_t{4}, 0, "1", uint16_t{4}},
                                                       {uint16_t{255}, 1, "0x0001", uint16_t{0}}}) {
        single.SetData(2, 7, stored, hex);
        ASSERT_EQ(run(single, IDD_CFG_ANA_IN_OPTS,
                      [&](DialogDriver& user) {
                          EXPECT_EQ(user.text(IDC_ANA_IN_GROUP), "Panel 2, Channel 7");
                          const auto items = user.items(IDC_ANA_IN_AVERAGE_WEIGHT);
                          ASSERT_EQ(items.size(), 16u);
                          EXPECT_EQ(items[0], first);
                          EXPECT_EQ(items[15], hex ? "0x8000" : "32768");
                          user.click(IDOK);
                      }),
                  IDOK);
        EXPECT_EQ(single.GetData(), returned);
    }

    CCfgMultAnaInOptsDlg panel;
    PanelValues<uint16_t> indexes{};
    indexes.fill(9);
    indexes[4] = 300; // beyond the list: position 0
    panel.SetData(1, indexes, kStates, 1);
    ASSERT_EQ(run(panel, IDD_CFG_MULT_ANA_IN_OPTS,
                  [](DialogDriver& user) {
                      EXPECT_EQ(user.text(IDC_MULT_ANA_IN_GROUP), "Expansion Panel 1");
                      for (int ch = 0; ch < 16; ++ch) {
                          const bool input = kStates[ch] == I;
                          EXPECT_EQ(user.enabled(idcMultAnaInList(ch)), input) << ch;
                          EXPECT_EQ(user.enabled(idcMultAnaInLabel(ch)), input) << ch;
                          EXPECT_EQ(user.items(idcMultAnaInList(ch)).size(), input ? 16u : 1u);
                      }
                      EXPECT_EQ(user.text(idcMultAnaInLabel(15)), "Channel 15");
                      EXPECT_EQ(user.items(idcMultAnaInList(1)), std::vector<std::string>{"N/A"});
                      EXPECT_EQ(user.items(idcMultAnaInList(0))[9], "0x0200");
                      user.click(IDOK);
                  }),
              IDOK);
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(panel.GetData()[ch], kStates[ch] == I && ch != 4 ? 9 : 0) << ch;
    }
}

TEST_F(ChannelDialogs, DefaultOutputsShowFourDigitsAloneAndShortFormsInThePanel) {
    const struct {
        int16_t value;
        int hex;
        const char* single;
        const char* panel;
    } cases[] = {{-5, 0, "-5", "-5"}, {-5, 1, "0xFFFB", "0xFFFB"}, {10, 1, "0x000A", "0xA"}};
    for (const auto& c : cases) {
        CCfgAnaOutOptsDlg single;
        single.SetData(3, 0, c.value, c.hex);
        ASSERT_EQ(run(single, IDD_CFG_ANA_OUT_OPTS,
                      [&](DialogDriver& user) {
                          EXPECT_EQ(user.text(IDC_ANA_OUT_DEFAULT_OUTPUT), c.single);
                          user.click(IDOK);
                      }),
                  IDOK);
        EXPECT_EQ(single.GetData(), c.value);

        CCfgMultAnaOutOptsDlg panel;
        PanelValues<int16_t> values{};
        values.fill(c.value);
        panel.SetData(0, values, kStates, c.hex);
        ASSERT_EQ(run(panel, IDD_CFG_MULT_ANA_OUT_OPTS,
                      [&](DialogDriver& user) {
                          EXPECT_EQ(user.text(idcMultAnaOutEdit(1)), c.panel);
                          EXPECT_EQ(user.text(idcMultAnaOutEdit(0)), "N/A");
                          EXPECT_FALSE(user.enabled(idcMultAnaOutEdit(0)));
                          EXPECT_FALSE(user.enabled(idcMultAnaOutLabel(0)));
                          EXPECT_TRUE(user.enabled(idcMultAnaOutLabel(1)));
                          user.click(IDOK);
                      }),
                  IDOK);
        for (int ch = 0; ch < 16; ++ch) {
            EXPECT_EQ(panel.GetData()[ch], kStates[ch] == O ? c.value : 0) << ch;
        }
    }
}

TEST_F(ChannelDialogs, DefaultOutputsAreCheckedAsSignedSixteenBitValues) {
    const struct {
        const char* text;
        bool accepted;
        int16_t value;
    } cases[] = {
        {"-32768", true, -32768}, {"32767", true, 32767}, {"0x8000", true, -32768},
        {"0xFFFF", true, -1},     {"32768", false, 0},    {"-32769", false, 0},
        {"0x10000", false, 0},    {"", false, 0},
    };
    CCfgAnaOutOptsDlg single;
    for (const auto& c : cases) {
        single.SetData(0, 1, 77, 0);
        const int result = run(single, IDD_CFG_ANA_OUT_OPTS, [&](DialogDriver& user) {
            user.type(IDC_ANA_OUT_DEFAULT_OUTPUT, c.text);
            if (!c.accepted) {
                ui.backend.answerMessageBox(IDOK);
            }
            user.pressEnter();
            if (!c.accepted) {
                EXPECT_EQ(ui.backend.messageBoxes().back().text,
                          CCfgAnaOutOptsDlg::defaultOutputMessage);
                EXPECT_EQ(user.focus(), IDC_ANA_OUT_DEFAULT_OUTPUT);
                user.pressEscape();
            }
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL) << c.text;
        if (c.accepted) {
            EXPECT_EQ(single.GetData(), c.value) << c.text;
        }
    }
}

TEST_F(ChannelDialogs, PanelDefaultOutputsStopAtTheFirstRejectedChannel) {
    CCfgMultAnaOutOptsDlg panel;
    panel.SetData(1, PanelValues<int16_t>{}, kStates, 0);
    ASSERT_EQ(run(panel, IDD_CFG_MULT_ANA_OUT_OPTS,
                  [this](DialogDriver& user) {
                      user.type(idcMultAnaOutEdit(6), "");
                      user.type(idcMultAnaOutEdit(7), "99999"); // never looked at
                      ui.backend.answerMessageBox(IDOK);
                      user.click(IDOK);
                      EXPECT_EQ(user.focus(), idcMultAnaOutEdit(6));
                      EXPECT_EQ(ui.backend.messageBoxes().back().text,
                                "Invalid Default Output for Channel 6\n\nPlease enter a value in "
                                "the range of -32768 (0x8000) to 32767 (0x7FFF)");
                      user.type(idcMultAnaOutEdit(6), "0x7FFF");
                      user.type(idcMultAnaOutEdit(7), "-2");
                      user.click(IDOK);
                  }),
              IDOK);
    EXPECT_EQ(panel.GetData()[6], 32767);
    EXPECT_EQ(panel.GetData()[7], -2);
    EXPECT_EQ(ui.backend.messageBoxes().size(), 1u);
}

TEST_F(ChannelDialogs, DigitalOutputsReturnWhatWasPassedEvenOnGreyedChannels) {
    CCfgDigOutOptsDlg single;
    single.SetData(4, 9, 1);
    ASSERT_EQ(run(single, IDD_CFG_DIG_OUT_OPTS,
                  [](DialogDriver& user) {
                      EXPECT_EQ(user.text(IDC_DIG_OUT_GROUP), "Panel 4, Channel 9");
                      EXPECT_EQ(user.selection(IDC_DIG_OUT_DEFAULT_OUTPUT), 1);
                      user.select(IDC_DIG_OUT_DEFAULT_OUTPUT, 0);
                      user.click(IDOK);
                  }),
              IDOK);
    EXPECT_EQ(single.GetData(), 0);

    CCfgMultDigOutOptsDlg panel;
    const PanelValues<int32_t> values{1, 0, 1, 1, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1, 0};
    panel.SetData(5, values, kStates);
    ASSERT_EQ(run(panel, IDD_CFG_MULT_DIG_OUT_OPTS,
                  [&](DialogDriver& user) {
                      EXPECT_EQ(user.text(IDC_MULT_DIG_OUT_GROUP), "Digital Panel 5");
                      for (int ch = 0; ch < 16; ++ch) {
                          EXPECT_EQ(user.selection(idcMultDigOutList(ch)), values[ch]);
                          EXPECT_EQ(user.enabled(idcMultDigOutList(ch)), kStates[ch] == O);
                          EXPECT_EQ(user.enabled(idcMultDigOutLabel(ch)), kStates[ch] == O);
                      }
                      user.click(IDOK);
                  }),
              IDOK);
    EXPECT_EQ(panel.GetData(), values);
}

} // namespace
