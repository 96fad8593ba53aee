#include "tools/vtrconfig/MainWindowGallery.h"

#include "app/CVtrConfigApp.h"
#include "res/ResourceIds.h"
#include "tools/vtrconfig/DemoUnit.h"
#include "ui/CTreeCtrl.h"
#include "ui/UiBackend.h"
#include "ui/UiConstants.h"
#include "ui/qt/DialogGallery.h"
#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 560;

// Opens the branches that show numbers in both bases, so that the pictures tell them apart.
void expandNumberBranches(CTreeCtrl& tree, HTREEITEM item) {
    static const std::set<std::string> branches = {
        "VTR300 Configuration", "Connection Information", "Interface Configuration",
        "Modbus RTU Parameters", "Modbus TCP Parameters"};
    for (; item; item = tree.GetNextSiblingItem(item)) {
        if (branches.count(tree.GetItemText(item)) != 0) {
            tree.Expand(item, TVE_EXPAND);
            expandNumberBranches(tree, tree.GetChildItem(item));
        }
    }
}

} // namespace

int MainWindowGallery::writeAll(const std::string& directory, std::string& error) {
    auto* backend = dynamic_cast<QtBackend*>(&currentBackend());
    if (backend == nullptr) {
        error = "the main window pictures need the Qt backend";
        return -1;
    }
    DemoUnit unit;
    if (!unit.start({}, error)) {
        return -1;
    }
    CVtrConfigApp app;
    if (!app.start({}, error)) {
        return -1;
    }
    CVtrConfigDoc& document = app.document();
    unit.pointAt(document);
    QWidget* window = backend->widgetOf(&app.mainWindow());
    window->resize(kWindowWidth, kWindowHeight);

    const std::vector<std::pair<const char*, std::function<void()>>> situations = {
        {"not-connected", [] {}},
        {"connected-decimal",
         [&app] {
             app.mainWindow().OnConnect();
             CTreeCtrl& tree = app.mainWindow().view().GetTreeCtrl();
             expandNumberBranches(tree, tree.GetRootItem());
         }},
        {"connected-hex", [&document] { document.setHexDisplay(1); }},
    };
    const QDir folder(QString::fromStdString(directory));
    int written = 0;
    for (const auto& [name, step] : situations) {
        step();
        app.mainWindow().updateCommandUI();
        QApplication::processEvents();
        const QString path =
            folder.filePath(QStringLiteral("%1-main-window-%2.png").arg(IDR_MAINFRAME).arg(name));
        if (!DialogGallery::withCaption(*window).save(path, "PNG")) {
            error = "cannot write " + path.toStdString();
            return -1;
        }
        ++written;
    }

    // The traffic log over the transactions of that connect, each with its meaning.
    CTrafficLogDlg& log = app.mainWindow().trafficLog();
    log.Open(&app.mainWindow());
    QWidget* logWindow = backend->widgetOf(&log);
    if (logWindow == nullptr) {
        error = "the traffic log window did not open";
        return -1;
    }
    QApplication::processEvents();
    const QString logPath =
        folder.filePath(QStringLiteral("%1-traffic-log-after-connect.png").arg(IDD_TRAFFIC_LOG));
    if (!DialogGallery::withCaption(*logWindow).save(logPath, "PNG")) {
        error = "cannot write " + logPath.toStdString();
        return -1;
    }
    log.DestroyWindow();
    document.disconnect();
    return written + 1;
}
