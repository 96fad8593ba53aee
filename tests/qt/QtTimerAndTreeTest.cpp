#include "QtUi.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "ui/CTreeCtrl.h"
#include "ui/CWnd.h"
#include "ui/UiConstants.h"
#include "ui/qt/DialogGallery.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/QtTreePeer.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTreeWidget>

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// Steps like the quick channel view: every tick kills the timer and posts a step; the step
// arms the next delay, and the third step closes the dialog.
class SteppingDialog : public CDialog {
public:
    SteppingDialog() : CDialog(IDD_CONTROL_SAMPLE) {
        onMessage(WM_TIMER, [this](uintptr_t timerId, intptr_t) {
            log.push_back("tick");
            KillTimer(timerId);
            PostMessage(WM_USER, static_cast<uintptr_t>(log.size()));
        });
        onMessage(WM_USER, [this](uintptr_t order, intptr_t) {
            log.push_back("step " + std::to_string(order));
            if (log.size() < 6) {
                SetTimer(1, 10);
            } else {
                EndDialog(IDOK);
            }
        });
    }
    std::vector<std::string> log;

protected:
    int OnInitDialog() override {
        SetTimer(1, 20);
        return 1;
    }
};

TEST(QtTimers, TicksAndPostedStepsRunOnTheEventLoopInOrder) {
    QtUi ui;
    ui.letDialogRun();
    SteppingDialog dialog;

    EXPECT_EQ(ui.run(dialog, [](QtDialogWindow&) {}), IDOK);
    EXPECT_THAT(dialog.log, ElementsAre("tick", "step 1", "tick", "step 3", "tick", "step 5"));
}

TEST(QtTimers, NothingReachesAWindowAfterItIsDestroyed) {
    QtUi ui;
    struct Late : CDialog {
        Late() : CDialog(IDD_CONTROL_SAMPLE) {
            onMessage(WM_USER, [this](uintptr_t, intptr_t) { ++delivered; });
        }
        int delivered = 0;
    } dialog;
    ui.run(dialog, [&](QtDialogWindow&) {
        dialog.PostMessage(WM_USER);
        dialog.SetTimer(1, 1);
        dialog.EndDialog(IDCANCEL);
    });
    QTest::qWait(30);
    EXPECT_EQ(dialog.delivered, 0);
}

std::vector<std::string> shownRows(const QTreeWidget& widget) {
    std::vector<std::string> rows;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        rows.push_back(std::to_string(depth) + ":" + item->text(0).toStdString() +
                       (item->isExpanded() ? " +" : ""));
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i), depth + 1);
        }
    };
    for (int i = 0; i < widget.topLevelItemCount(); ++i) {
        walk(widget.topLevelItem(i), 0);
    }
    return rows;
}

TEST(QtTree, TheWidgetFollowsInsertsDeletesTextsAndExpansion) {
    CTreeCtrl tree;
    const HTREEITEM root = tree.InsertItem("VTR300 Configuration", 0);
    tree.InsertItem("Not Connected", 0, root);
    QTreeWidget widget;
    QtTreePeer peer(tree, widget);
    EXPECT_THAT(shownRows(widget), ElementsAre("0:VTR300 Configuration", "1:Not Connected"));

    tree.DeleteItem(TVI_ROOT);
    const HTREEITEM top = tree.InsertItem("VTR300 Configuration", 0);
    const HTREEITEM status = tree.InsertItem("Self-Test Status = ", 0, top);
    tree.InsertItem("Connected", 0, top, TVI_FIRST);
    const HTREEITEM failures = tree.InsertItem("ADC Failure", 0, status);
    tree.SetItemText(status, "Self-Test Status = Fail");
    tree.Expand(top, TVE_EXPAND);
    EXPECT_THAT(shownRows(widget), ElementsAre("0:VTR300 Configuration +", "1:Connected",
                                               "1:Self-Test Status = Fail", "2:ADC Failure"));

    tree.DeleteItem(status);
    EXPECT_EQ(peer.widgetItem(failures), nullptr);
    EXPECT_THAT(shownRows(widget), ElementsAre("0:VTR300 Configuration +", "1:Connected"));
}

class DoubleClickOwner : public CWnd {
public:
    DoubleClickOwner() {
        onNotify(1, NM_DBLCLK, [this] {
            ++clicks;
            return 1L;
        });
    }
    int clicks = 0;
};

TEST(QtTree, TheUsersExpansionAndHandledDoubleClicksReachTheControl) {
    CTreeCtrl tree;
    DoubleClickOwner owner;
    tree.setOwner(&owner, 1);
    const HTREEITEM branch = tree.InsertItem("Interface Configuration", 0);
    const HTREEITEM leaf = tree.InsertItem("Modbus RTU Parameters", 0, branch);
    QTreeWidget widget;
    QtTreePeer peer(tree, widget);

    peer.widgetItem(branch)->setExpanded(true);
    EXPECT_TRUE(tree.IsExpanded(branch));
    widget.setCurrentItem(peer.widgetItem(leaf));
    EXPECT_EQ(tree.GetSelectedItem(), leaf);

    emit widget.itemDoubleClicked(peer.widgetItem(branch), 0);
    EXPECT_EQ(owner.clicks, 1);
    EXPECT_EQ(tree.GetSelectedItem(), branch);
    EXPECT_TRUE(tree.IsExpanded(branch));
    EXPECT_TRUE(peer.widgetItem(branch)->isExpanded());
}

TEST(QtGallery, RendersADialogWithItsCaptionBar) {
    const QImage picture = DialogGallery::render(kAboutBoxTemplate);
    const DialogUnits units(QApplication::font());
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), units.x(235) + 2);
    EXPECT_GT(picture.height(), units.y(62));
}

} // namespace
