#include "QtUi.h"

#include "quickview/CChanQuickViewDlg.h"
#include "res/ResourceIds.h"
#include "support/SimulatedDocument.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <string>

namespace {

// The live value line of analog input 0 of a unit whose live values are frozen at `step`.
std::string inputLine(Simulator& sim, uint32_t step) {
    sim.unit().freezeLiveValues(step);
    uint16_t value = 0;
    sim.unit().readRegisters(0, 1, &value);
    return "\t0\tInput\t" + std::to_string(value);
}

} // namespace

TEST(QtQuickView, ShowsALiveAnalogInputChangeBetweenTwoPasses) {
    SimulatedDocument unit;
    ASSERT_TRUE(unit.ready());
    const std::string later = inputLine(unit.sim, 40);
    const std::string first = inputLine(unit.sim, 7);
    ASSERT_NE(first, later);
    QtUi ui;
    CChanQuickViewDlg dialog;
    dialog.SetDocument(&unit.doc);
    ASSERT_GT(dialog.BuildChannelLists(), 0);

    ui.run(dialog, [&](QtDialogWindow& window) {
        auto* list = qobject_cast<QListWidget*>(window.controlWidget(IDC_QV_LIST));
        auto* status = qobject_cast<QLabel*>(window.controlWidget(IDC_QV_STATUS));
        ASSERT_NE(list, nullptr);
        ASSERT_NE(status, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return status->text() == "paused"; }, 10000));
        EXPECT_EQ(list->item(0)->text().toStdString(), first);

        unit.sim.unit().freezeLiveValues(40);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return list->item(0)->text().toStdString() == later && status->text() == "paused";
            },
            10000));
        QTest::mouseClick(qobject_cast<QPushButton*>(window.controlWidget(IDC_QV_CLOSE)),
                          Qt::LeftButton);
    });
    EXPECT_FALSE(dialog.IsWindow());
}
