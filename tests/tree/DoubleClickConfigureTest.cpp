#include "device/CVtrConfigDoc.h"
#include "res/ResourceIds.h"
#include "sim/Simulator.h"
#include "support/HeadlessUi.h"
#include "tree/CVtrConfigView.h"
#include "ui/DialogDriver.h"
#include "ui/UiConstants.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

// The first row starting with each text in turn, each looked for after the one before.
HTREEITEM rowAfter(const CTreeCtrl& tree, std::initializer_list<std::string> texts) {
    const std::vector<CTreeCtrl::Row> rows = tree.rows();
    size_t at = 0;
    for (const std::string& text : texts) {
        while (at < rows.size() && !rows[at].text.starts_with(text)) {
            ++at;
        }
    }
    if (at == rows.size()) {
        ADD_FAILURE() << "no row " << *(texts.end() - 1);
        return {};
    }
    return rows[at].item;
}

// A double-click on a channel's option row opens its dialog on the unit's value, writes what
// the user typed and shows it in the row.
TEST(DoubleClickConfigure, AnOptionRowIsEditedInItsDialogAndWrittenToTheUnit) {
    HeadlessUi ui;
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);
    CVtrConfigDoc doc;
    CVtrConfigView view(doc);
    ConnectOptions options;
    options.protocol = ConnectOptions::modbusTcp;
    options.server = "127.0.0.1";
    options.tcpPort = sim.tcpPort();
    doc.setConnectOptions(options);
    view.OnInitialUpdate();
    ASSERT_EQ(doc.connect(), 1);
    doc.refresh();
    sim.clearRequestLog();

    const HTREEITEM row =
        rowAfter(view.GetTreeCtrl(), {"Expansion Panel 1", "Channel 8 ", "Default Output = "});
    ui.backend.expectDialog(IDD_CFG_ANA_OUT_OPTS, [](DialogDriver& user) {
        EXPECT_EQ(user.text(IDC_ANA_OUT_GROUP), "Panel 1, Channel 8");
        EXPECT_EQ(user.text(IDC_ANA_OUT_DEFAULT_OUTPUT), "500");
        user.type(IDC_ANA_OUT_DEFAULT_OUTPUT, "-5");
        user.pressEnter();
    });
    view.GetTreeCtrl().userDoubleClick(row);

    ASSERT_EQ(sim.requestLog().size(), 1u);
    EXPECT_EQ(sim.requestLog()[0].address, 0x2118);
    EXPECT_EQ(view.GetTreeCtrl().GetItemText(row), "Default Output = -5");
    doc.disconnect();
}

} // namespace
