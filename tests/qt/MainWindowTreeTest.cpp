#include "app/CMainFrame.h"
#include "device/CVtrConfigDoc.h"
#include "sim/Simulator.h"
#include "ui/UiConstants.h"
#include "ui/qt/QtBackend.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// The main window on a connected simulated unit shows the view's rows through the real tree
// widget. With VTR_SCREENSHOT_DIR set, the window is also written there as a picture.
TEST(QtMainWindow, ShowsTheConfigurationTreeOfAConnectedUnit) {
    Simulator sim;
    ASSERT_EQ(sim.startTcp(), 0);
    QtBackend backend;
    ScopedBackend installed(backend);
    CVtrConfigDoc doc;
    ConnectOptions options;
    options.protocol = ConnectOptions::modbusTcp;
    options.server = "127.0.0.1";
    options.tcpPort = sim.tcpPort();
    doc.setConnectOptions(options);
    CMainFrame frame(doc);
    ASSERT_TRUE(frame.create());
    frame.OnConnect();
    ASSERT_EQ(doc.isConnected(), 1);

    CTreeCtrl& tree = frame.view().GetTreeCtrl();
    for (const char* branch : {"Device Information", "Analog Configuration"}) {
        for (HTREEITEM item : tree.children(tree.GetRootItem())) {
            if (tree.GetItemText(item) == branch) {
                tree.Expand(item, TVE_EXPAND);
            }
        }
    }
    QWidget* window = backend.widgetOf(&frame);
    ASSERT_NE(window, nullptr);
    window->resize(560, 640);
    window->show();
    auto* widget = window->findChild<QTreeWidget*>();
    ASSERT_NE(widget, nullptr);

    std::vector<std::string> shown;
    for (QTreeWidgetItemIterator it(widget); *it != nullptr; ++it) {
        shown.push_back((*it)->text(0).toStdString());
    }
    std::vector<std::string> rows;
    for (const CTreeCtrl::Row& row : tree.rows()) {
        rows.push_back(row.text);
    }
    EXPECT_EQ(shown, rows);

    if (const char* dir = std::getenv("VTR_SCREENSHOT_DIR")) {
        EXPECT_TRUE(window->grab().save(
            QString::fromStdString(std::string(dir) + "/main-window-tree.png")));
    }
    frame.DestroyWindow();
}
