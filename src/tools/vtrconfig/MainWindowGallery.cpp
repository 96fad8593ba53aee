#include "tools/vtrconfig/MainWindowGallery.h"

#include "app/CVtrConfigApp.h"
#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "tools/vtrconfig/DemoUnit.h"
#include "ui/CTreeCtrl.h"
#include "ui/UiBackend.h"
#include "ui/UiConstants.h"
#include "ui/qt/DialogGallery.h"
#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
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

// Lets the event loop run until done holds, or a generous while has passed.
bool waitFor(const std::function<bool()>& done) {
    constexpr int kPatienceMs = 10000;
    constexpr int kSliceMs = 20;
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < kPatienceMs) {
        QApplication::processEvents(QEventLoop::AllEvents, kSliceMs);
    }
    return done();
}

// The first analog output line of the quick view, or -1.
int firstOutputLine(const CWnd& view) {
    const std::vector<std::string>& lines = view.findControl(IDC_QV_LIST)->items;
    for (size_t line = 0; line < lines.size(); ++line) {
        if (lines[line].find("\tOutput\t") != std::string::npos) {
            return static_cast<int>(line);
        }
    }
    return -1;
}

// Quick Channel View as the View menu opens it over the connected window, once its first pass
// shows the live values, and the edit popup of its first analog output.
int writeQuickView(QtBackend& backend, CMainFrame& frame, const QDir& folder, std::string& error) {
    int written = 0;
    const auto save = [&](QWidget& window, const QString& name) {
        const QString path = folder.filePath(name);
        if (DialogGallery::withCaption(window).save(path, "PNG")) {
            ++written;
        } else if (error.empty()) {
            error = "cannot write " + path.toStdString();
        }
    };
    backend.setModalObserver([&](QWidget& modal, CWnd* window) {
        const int id = window != nullptr ? window->dialogTemplate()->id : 0;
        if (id == IDD_EDIT_POPUP) {
            save(modal, QStringLiteral("%1-edit-analog-output-connected.png").arg(id));
        } else if (id == IDD_CHAN_QUICK_VIEW) {
            if (!waitFor(
                    [window] { return window->findControl(IDC_QV_STATUS)->text == "paused"; })) {
                error = "the quick view shows no values";
            }
            save(modal, QStringLiteral("%1-quick-channel-view-connected.png").arg(id));
            const int output = firstOutputLine(*window);
            if (output >= 0) {
                window->userSelect(IDC_QV_LIST, output);
            }
        }
        if (window != nullptr) {
            window->userEscape();
        }
    });
    frame.userCommand(ID_QUICK_CHANNEL_VIEW);
    backend.setModalObserver({});
    return error.empty() ? written : -1;
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
    document.setHexDisplay(0);
    const int quickView = writeQuickView(*backend, app.mainWindow(), folder, error);
    if (quickView < 0) {
        document.disconnect();
        return -1;
    }

    // The traffic log over the transactions of that connect, each with its meaning.
    CTrafficLogDlg& log = app.mainWindow().trafficLog();
    log.Open(&app.mainWindow());
    QWidget* logWindow = backend->widgetOf(&log);
    if (logWindow == nullptr) {
        error = "the traffic log window did not open";
        document.disconnect();
        return -1;
    }
    QApplication::processEvents();
    const QString logPath =
        folder.filePath(QStringLiteral("%1-traffic-log-after-connect.png").arg(IDD_TRAFFIC_LOG));
    if (!DialogGallery::withCaption(*logWindow).save(logPath, "PNG")) {
        error = "cannot write " + logPath.toStdString();
        document.disconnect();
        return -1;
    }
    log.DestroyWindow();
    document.disconnect();
    return written + quickView + 1;
}
