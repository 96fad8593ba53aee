#include "QtUi.h"

#include "dialogs/CCfgAnaScanParmsDlg.h"
#include "dialogs/CCfgMultAnaInOptsDlg.h"
#include "dialogs/CCfgTcpParmsDlg.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Closes the next message box that opens, remembering its title and text.
void closeNextBox(QString& title, QString& text) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
}

// The user types an address octet by octet, moving on with Tab as people do, enters a bad
// keepalive, is told so, corrects it and confirms with Enter.
TEST(QtConfigureDialog, TcpOctetsAreTypedWithTabAndABadKeepaliveIsReported) {
    QtUi ui;
    CCfgTcpParmsDlg dialog;
    dialog.SetData(TcpConfig{}, true, 0);
    QString title;
    QString text;

    const int result = ui.run(dialog, [&](QtDialogWindow& window) {
        auto* group = window.controlWidget(IDC_TCP_GROUP);
        ASSERT_NE(group, nullptr);
        auto* first = qobject_cast<QLineEdit*>(window.controlWidget(IDC_TCP_IP_ADDRESS_0));
        ASSERT_NE(first, nullptr);
        first->setFocus();
        for (const char* octet : {"10", "0", "0", "7"}) {
            QWidget* field = window.focusWidget();
            ASSERT_NE(qobject_cast<QLineEdit*>(field), nullptr);
            qobject_cast<QLineEdit*>(field)->selectAll();
            QTest::keyClicks(field, octet);
            QTest::keyClick(field, Qt::Key_Tab);
        }
        auto* keepalive = qobject_cast<QLineEdit*>(window.controlWidget(IDC_TCP_KEEPALIVE));
        keepalive->selectAll();
        QTest::keyClicks(keepalive, "65536");
        closeNextBox(title, text);
        QTest::keyClick(keepalive, Qt::Key_Return);
        EXPECT_FALSE(dialog.modalEnded());
        EXPECT_EQ(dialog.GetFocusId(), IDC_TCP_KEEPALIVE);

        keepalive->selectAll();
        QTest::keyClicks(keepalive, "0x1C20");
        QTest::keyClick(keepalive, Qt::Key_Return);
    });

    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetData().ipAddress, (std::array<uint8_t, 4>{10, 0, 0, 7}));
    EXPECT_EQ(dialog.GetData().keepaliveMs, 7200);
    EXPECT_EQ(title, "Data Error");
    EXPECT_EQ(text.toStdString(), CCfgTcpParmsDlg::keepaliveMessage);
}

// Enter in the multi-line scan list confirms the dialog instead of breaking the line.
TEST(QtConfigureDialog, EnterInTheScanListConfigures) {
    QtUi ui;
    CCfgAnaScanParmsDlg dialog;
    dialog.SetData(ScanParameters{}, 0);
    const int result = ui.run(dialog, [&](QtDialogWindow& window) {
        auto* list = qobject_cast<QPlainTextEdit*>(window.controlWidget(IDC_SCAN_LIST));
        ASSERT_NE(list, nullptr);
        list->setFocus();
        QTest::keyClicks(list, "3, 17;0x20");
        QTest::keyClick(list, Qt::Key_Return);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetData().scanListLength, 3);
    EXPECT_EQ(dialog.GetData().scanList[2], 32);
}

// Channels that are not inputs show "N/A" greyed, label and list alike.
TEST(QtConfigureDialog, AverageWeightsGreyChannelsThatAreNotInputs) {
    QtUi ui;
    CCfgMultAnaInOptsDlg dialog;
    PanelValues<int16_t> states{};
    states[9] = 1;
    dialog.SetData(2, PanelValues<uint16_t>{}, states, 1);
    ui.run(dialog, [&](QtDialogWindow& window) {
        auto* vacant = qobject_cast<QComboBox*>(window.controlWidget(idcMultAnaInList(0)));
        auto* input = qobject_cast<QComboBox*>(window.controlWidget(idcMultAnaInList(9)));
        ASSERT_NE(vacant, nullptr);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(vacant->currentText(), "N/A");
        EXPECT_FALSE(vacant->isEnabled());
        EXPECT_FALSE(window.controlWidget(idcMultAnaInLabel(0))->isEnabled());
        EXPECT_TRUE(input->isEnabled());
        EXPECT_EQ(input->count(), 16);
        EXPECT_EQ(input->itemText(15), "0x8000");
        dialog.EndDialog(IDCANCEL);
    });
}

} // namespace
