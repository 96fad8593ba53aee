#include "BothBackends.h"
#include "ProgramOnUnit.h"

#include "quickview/CChanQuickViewDlg.h"
#include "res/ResourceIds.h"
#include "support/SimulatedDocument.h"
#include "ui/CTreeCtrl.h"

#include <string>

namespace {

// A row of the tree whose text starts so, with its branches opened; null when there is none.
HTREEITEM openedRow(CTreeCtrl& tree, const std::string& text) {
    for (const CTreeCtrl::Row& row : tree.rows()) {
        if (row.text.starts_with(text)) {
            for (HTREEITEM up = tree.GetParentItem(row.item); up; up = tree.GetParentItem(up)) {
                tree.Expand(up, TVE_EXPAND);
            }
            return row.item;
        }
    }
    return {};
}

TEST_P(BothBackends, EnterOnATreeRowOpensWhatADoubleClickOpens) {
    ProgramOnUnit program;
    ASSERT_TRUE(program.connect());
    CTreeCtrl& tree = program.app.mainWindow().view().GetTreeCtrl();
    const HTREEITEM row = openedRow(tree, "Modbus RTU Parameters");
    ASSERT_TRUE(row);
    bool opened = false;
    user->expectModal(IDD_CFG_RTU_PARMS, [&opened](UiUser& user, CWnd& dialog) {
        opened = true;
        user.pressEscape(dialog);
    });

    user->pressEnter(tree, row);
    EXPECT_TRUE(opened);
}

// In the quick view the arrow keys walk the lines without writing anything, Enter writes the
// line the keyboard is on as a click would, and an arrow key moves on to the next listed panel.
TEST_P(BothBackends, QuickViewLinesAreWalkedWithArrowsAndWrittenWithEnter) {
    SimulatedDocument unit(SimulatedDocument::fewChannelsProfile());
    ASSERT_TRUE(unit.ready());
    CChanQuickViewDlg view;
    view.SetDocument(&unit.doc);
    ASSERT_GT(view.BuildChannelLists(), 0);
    user->expectModal(IDD_CHAN_QUICK_VIEW, [&](UiUser& user, CWnd& window) {
        const ControlState& list = *window.findControl(IDC_QV_LIST);
        ASSERT_TRUE(user.waitUntil([&] { return list.items.size() == 3; }));
        user.focus(window, IDC_QV_LIST);
        user.pressArrow(window, true);
        user.pressArrow(window, true); // analog output 1: shown, not written yet
        user.expectModal(IDD_EDIT_POPUP, [](UiUser& user, CWnd& popup) {
            user.type(popup, IDC_POPUP_EDIT, "300");
            user.pressEnter(popup);
        });
        user.pressEnter(window);
        EXPECT_EQ(unit.sim.unit().analogOutputValue(1), 300);
        EXPECT_EQ(list.caret, 1);

        user.focus(window, IDC_QV_ANALOG_PANEL_0);
        user.pressArrow(window, true); // the expansion panels list nothing: greyed, passed over
        EXPECT_EQ(window.GetCheckedRadioButton(IDC_QV_ANALOG_PANEL_0, IDC_QV_LAST_PANEL),
                  IDC_QV_DIGITAL_PANEL_0);
        EXPECT_EQ(window.GetFocusId(), IDC_QV_DIGITAL_PANEL_0);
        EXPECT_TRUE(user.waitUntil(
            [&] { return !list.items.empty() && list.items[0].starts_with("\t2\tInput\t"); }));
        user.pressEscape(window);
    });

    view.DoModal();
}

} // namespace
