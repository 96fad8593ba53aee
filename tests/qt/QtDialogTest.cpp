#include "QtUi.h"

#include "res/ResourceIds.h"
#include "ui/MessageBox.h"
#include "ui/SampleDialog.h"
#include "ui/UiConstants.h"
#include "ui/qt/DialogUnits.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

template <typename Widget>
Widget* widget(QtDialogWindow& window, int controlId) {
    auto* found = qobject_cast<Widget*>(window.controlWidget(controlId));
    EXPECT_NE(found, nullptr) << "control " << controlId;
    return found;
}

TEST(QtDialog, ProgramChangesShowInTheWidgets) {
    QtUi ui;
    SampleDialog dialog;
    ui.run(dialog, [&](QtDialogWindow& window) {
        auto* choice = widget<QComboBox>(window, IDC_SAMPLE_COMBO);
        EXPECT_EQ(choice->count(), 2);
        EXPECT_EQ(choice->currentText(), "RS485");
        dialog.m_choice.SetCurSel(0);
        EXPECT_EQ(choice->currentIndex(), 0);

        auto* value = widget<QLineEdit>(window, IDC_SAMPLE_EDIT);
        EXPECT_EQ(value->text(), "17");
        dialog.m_value.SetWindowText("0x1C20");
        dialog.m_value.EnableWindow(false);
        EXPECT_EQ(value->text(), "0x1C20");
        EXPECT_FALSE(value->isEnabled());

        dialog.m_list.AddString("\t3\tInput\t17");
        dialog.m_list.AddString("\t4\tOutput\t0");
        dialog.m_list.DeleteString(0);
        auto* list = widget<QListWidget>(window, IDC_SAMPLE_LIST);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), "\t4\tOutput\t0");

        dialog.CheckRadioButton(IDC_SAMPLE_RADIO_FIRST, IDC_SAMPLE_RADIO_THIRD,
                                IDC_SAMPLE_RADIO_SECOND);
        EXPECT_TRUE(widget<QRadioButton>(window, IDC_SAMPLE_RADIO_SECOND)->isChecked());
        dialog.SetWindowText("Edit Analog Output");
        EXPECT_EQ(window.windowTitle(), "Edit Analog Output");
        dialog.EndDialog(IDOK);
    });
    EXPECT_THAT(dialog.log, ::testing::Not(::testing::Contains("selchange")));
}

TEST(QtDialog, TheUsersTypingAndClicksReachTheControls) {
    QtUi ui;
    SampleDialog dialog;
    std::string typed;
    const int result = ui.run(dialog, [&](QtDialogWindow& window) {
        auto* value = widget<QLineEdit>(window, IDC_SAMPLE_EDIT);
        value->clear();
        QTest::keyClicks(value, "255");
        typed = dialog.m_value.GetWindowText();
        EXPECT_EQ(dialog.GetFocusId(), IDC_SAMPLE_EDIT);

        auto* choice = widget<QComboBox>(window, IDC_SAMPLE_COMBO);
        choice->setFocus();
        QTest::keyClick(choice, Qt::Key_Up);
        EXPECT_EQ(dialog.m_choice.GetCurSel(), 0);

        QTest::mouseClick(widget<QRadioButton>(window, IDC_SAMPLE_RADIO_FIRST), Qt::LeftButton);
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_SAMPLE_RADIO_FIRST, IDC_SAMPLE_RADIO_THIRD),
                  IDC_SAMPLE_RADIO_FIRST);

        QTest::mouseClick(widget<QPushButton>(window, IDC_SAMPLE_APPLY), Qt::LeftButton);
        QTest::mouseClick(widget<QPushButton>(window, IDOK), Qt::LeftButton);
    });

    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(typed, "255");
    EXPECT_THAT(dialog.log, ElementsAre("exchange", "init", "update", "update", "update",
                                        "selchange", "apply", "ok", "destroy"));
}

TEST(QtDialog, ClickingAListLineNotifiesTheDialog) {
    QtUi ui;
    SampleDialog dialog;
    ui.run(dialog, [&](QtDialogWindow& window) {
        dialog.m_list.AddString("first");
        dialog.m_list.AddString("second");
        auto* list = widget<QListWidget>(window, IDC_SAMPLE_LIST);
        const QRect line = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
        EXPECT_EQ(dialog.m_list.GetCurSel(), 1);
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_THAT(dialog.log, ::testing::Contains("list 1"));
}

TEST(QtDialog, EnterPressesTheDefaultButtonAndEscCancels) {
    QtUi ui;
    SampleDialog dialog;
    EXPECT_EQ(ui.run(dialog,
                     [&](QtDialogWindow& window) {
                         QTest::keyClick(widget<QLineEdit>(window, IDC_SAMPLE_EDIT),
                                         Qt::Key_Return);
                     }),
              IDOK);
    EXPECT_EQ(ui.run(dialog,
                     [&](QtDialogWindow& window) {
                         QTest::keyClick(widget<QLineEdit>(window, IDC_SAMPLE_EDIT),
                                         Qt::Key_Escape);
                     }),
              IDCANCEL);
    EXPECT_EQ(ui.run(dialog,
                     [&](QtDialogWindow& window) {
                         QTest::keyClick(widget<QPlainTextEdit>(window, IDC_SAMPLE_MULTILINE),
                                         Qt::Key_Return);
                     }),
              IDOK);
}

TEST(QtDialog, ARefusedOkKeepsTheWindowOpen) {
    QtUi ui;
    SampleDialog dialog;
    dialog.refuseOk = true;
    const int result = ui.run(dialog, [&](QtDialogWindow& window) {
        QTest::mouseClick(widget<QPushButton>(window, IDOK), Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(dialog.modalEnded());
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(QtDialog, MultiLineTextUsesTwoCharacterLineBreaks) {
    QtUi ui;
    SampleDialog dialog;
    ui.run(dialog, [&](QtDialogWindow& window) {
        auto* edit = widget<QPlainTextEdit>(window, IDC_SAMPLE_MULTILINE);
        edit->setPlainText("1\n2");
        std::string text;
        CEdit multiline;
        multiline.attach(&dialog, IDC_SAMPLE_MULTILINE);
        EXPECT_EQ(multiline.GetWindowText(), "1\r\n2");
        multiline.SetWindowText("3,\r\n4");
        EXPECT_EQ(edit->toPlainText(), "3,\n4");
        dialog.EndDialog(IDCANCEL);
    });
}

TEST(QtDialog, ControlsAreLaidOutFromDialogUnits) {
    QtUi ui;
    SampleDialog dialog;
    ui.run(dialog, [&](QtDialogWindow& window) {
        const DialogUnits units(window.font());
        EXPECT_EQ(window.width(), units.x(273));
        EXPECT_EQ(window.height(), units.y(210));
        const QRect ok = window.controlWidget(IDOK)->geometry();
        EXPECT_EQ(ok, units.rect(216, 7, 50, 14));
        dialog.EndDialog(IDOK);
    });
}

TEST(QtMessageBox, IsAnsweredThroughTheRealWidget) {
    QtUi ui;
    QString shownText;
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::Critical;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        shownTitle = box->windowTitle();
        shownIcon = box->icon();
        box->button(QMessageBox::No)->click();
    });

    const int answer = ShowMessageBox(nullptr, "Toggle digital output to a 0?",
                                      "Digital Panel 2 Chan 5", MB_YESNO);

    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(shownText, "Toggle digital output to a 0?");
    EXPECT_EQ(shownTitle, "Digital Panel 2 Chan 5");
    EXPECT_EQ(shownIcon, QMessageBox::NoIcon);
}

TEST(QtMessageBox, TheApplicationFormShowsTheTitleAndTheWarningIcon) {
    QtUi ui;
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownTitle = box->windowTitle();
        shownIcon = box->icon();
        QTest::keyClick(box, Qt::Key_Escape);
    });

    EXPECT_EQ(AfxMessageBox("OPC configuration file created."), IDOK);
    EXPECT_EQ(shownTitle, "VtrConfig");
    EXPECT_EQ(shownIcon, QMessageBox::Warning);
}

} // namespace

namespace {

TEST(QtKeyboard, TabFollowsTemplateOrderAndMnemonicsWork) {
    QtUi ui;
    SampleDialog dialog;
    ui.run(dialog, [&](QtDialogWindow& window) {
        // Offscreen no window is active, so the chain is read rather than walked.
        const std::vector<int> expected = {IDC_SAMPLE_COMBO,
                                           IDC_SAMPLE_EDIT,
                                           IDC_SAMPLE_SIGNED_EDIT,
                                           IDC_SAMPLE_MULTILINE,
                                           IDC_SAMPLE_LIST,
                                           // A group of radio buttons is one stop.
                                           IDC_SAMPLE_RADIO_FIRST,
                                           IDC_SAMPLE_APPLY,
                                           IDOK,
                                           IDCANCEL};
        std::vector<int> order;
        QWidget* at = window.controlWidget(IDC_SAMPLE_COMBO);
        do {
            for (int id : expected) {
                if (window.controlWidget(id) == at && at->isEnabled() &&
                    (at->focusPolicy() & Qt::TabFocus) != 0) {
                    order.push_back(id);
                }
            }
            at = at->nextInFocusChain();
        } while (at != window.controlWidget(IDC_SAMPLE_COMBO) && order.size() < 20);
        EXPECT_EQ(order, expected);
        auto* apply = widget<QPushButton>(window, IDC_SAMPLE_APPLY);
        EXPECT_EQ(apply->shortcut(), QKeySequence(QKeyCombination(Qt::ALT, Qt::Key_A)));
        // A label's mnemonic leads to the control after it.
        QLabel* choiceLabel = nullptr;
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->text() == "&Choice") {
                choiceLabel = label;
            }
        }
        ASSERT_NE(choiceLabel, nullptr);
        EXPECT_EQ(choiceLabel->buddy(), window.controlWidget(IDC_SAMPLE_COMBO));
        dialog.EndDialog(IDCANCEL);
    });
}

TEST(QtListBox, RedrawOffStopsPaintingUntilItIsTurnedOnAgain) {
    QtUi ui;
    SampleDialog dialog;
    ui.run(dialog, [&](QtDialogWindow& window) {
        auto* list = widget<QListWidget>(window, IDC_SAMPLE_LIST);
        const int before = list->count();
        dialog.m_list.SetRedraw(false);
        EXPECT_FALSE(list->updatesEnabled());
        dialog.m_list.AddString("line");
        dialog.m_list.AddString("another");
        // The lines reach the widget together, once redraw is back on.
        EXPECT_EQ(list->count(), before);
        dialog.m_list.SetRedraw(true);
        EXPECT_TRUE(list->updatesEnabled());
        EXPECT_EQ(list->count(), before + 2);
        dialog.EndDialog(IDCANCEL);
    });
}

} // namespace
