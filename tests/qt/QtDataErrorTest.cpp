#include "QtUi.h"

#include "dialogs/ExampleRecordDlg.h"
#include "ui/UiConstants.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

// The whole rejection road through real widgets: the user types a bad value and presses
// Configure, a "Data Error" box owned by the dialog opens over it, and once it is closed the
// dialog is still open with the focus in the rejected field, its text selected.
TEST(QtDataError, ARejectedFieldIsReportedOverTheDialogAndGetsTheFocus) {
    QtUi ui;
    ExampleRecordDlg dialog;
    dialog.SetData({0, 10, 0}, 1, false);
    QString boxTitle;
    QWidget* boxParent = nullptr;
    bool focusedAfter = false;

    const int result = ui.run(dialog, [&](QtDialogWindow& window) {
        auto* interval = qobject_cast<QLineEdit*>(window.controlWidget(IDC_SAMPLE_EDIT));
        ASSERT_NE(interval, nullptr);
        interval->selectAll();
        QTest::keyClicks(interval, "70000");

        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            boxTitle = box->windowTitle();
            boxParent = box->parentWidget();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(qobject_cast<QPushButton*>(window.controlWidget(IDOK)), Qt::LeftButton);

        EXPECT_FALSE(dialog.modalEnded());
        EXPECT_EQ(dialog.GetFocusId(), IDC_SAMPLE_EDIT);
        // The window's own focus widget: offscreen, no window is ever the active one.
        QApplication::processEvents();
        focusedAfter = window.focusWidget() == interval;
        EXPECT_EQ(interval->text(), "70000");
        // The rejected text is selected: what the user types next replaces it.
        EXPECT_EQ(interval->selectedText(), "70000");

        QTest::keyClicks(interval, "0x1F");
        QTest::keyClick(interval, Qt::Key_Return);
    });

    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetData().scanIntervalMs, 0x1F);
    EXPECT_EQ(boxTitle, "Data Error");
    EXPECT_NE(boxParent, nullptr);
    EXPECT_TRUE(focusedAfter);
}

} // namespace
