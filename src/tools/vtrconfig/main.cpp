// The VtrConfig desktop program.
//
//   vtrconfig [FILE.vtr]      the main window, with an untitled document or the one named
//   vtrconfig --gallery DIR   renders every dialog template, the frame sample and the connect
//                             options of each protocol to DIR

#include "app/CMakeConnectionDlg.h"
#include "app/CVtrConfigApp.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/qt/DialogGallery.h"
#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kExitUsage = 2;

int usage() {
    std::fprintf(stderr, "usage: vtrconfig [FILE.vtr | --gallery DIR]\n");
    return kExitUsage;
}

bool haveDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The connect options as each protocol leaves them: the other protocol's fields greyed.
int writeConnectOptionsPictures(const std::string& directory, std::string& error) {
    const struct {
        uint16_t protocol;
        const char* name;
    } states[] = {
        {ConnectOptions::modbusRtu, "connect-options-modbus-rtu"},
        {ConnectOptions::modbusTcp, "connect-options-modbus-tcp"},
    };
    CMakeConnectionDlg dialog;
    int written = 0;
    for (const auto& state : states) {
        ConnectOptions options;
        options.protocol = state.protocol;
        dialog.SetData(options, 0);
        if (!DialogGallery::writeDialog(dialog, directory, state.name, error)) {
            return -1;
        }
        ++written;
    }
    return written;
}

} // namespace

int main(int argc, char* argv[]) {
    const bool gallery = argc == 3 && std::strcmp(argv[1], "--gallery") == 0;
    const bool document = argc == 2 && argv[1][0] != '-';
    if (!gallery && !document && argc != 1) {
        return usage();
    }
    // Pictures need no screen: without one, render offscreen.
    if (gallery && !haveDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::string galleryDir = gallery ? argv[2] : "";

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VtrConfig"));
    QApplication::setWindowIcon(QIcon(QPixmap(findIconXpm(IDR_MAINFRAME))));
    QtBackend backend;
    ScopedBackend installed(backend);

    if (gallery) {
        std::string error;
        int written = DialogGallery::writeAll(galleryDir, error);
        const int states = written < 0 ? -1 : writeConnectOptionsPictures(galleryDir, error);
        written = states < 0 ? -1 : written + states;
        if (written < 0) {
            std::fprintf(stderr, "vtrconfig: %s\n", error.c_str());
            return 1;
        }
        std::printf("vtrconfig: %d dialogs written to %s\n", written, galleryDir.c_str());
        return 0;
    }
    CVtrConfigApp app;
    std::vector<std::string> arguments;
    if (document) {
        arguments.emplace_back(argv[1]);
    }
    std::string failure;
    if (!app.start(arguments, failure)) {
        std::fprintf(stderr, "vtrconfig: %s\n", failure.c_str());
        return 1;
    }
    // The program ends when its main window is gone (File Exit or the close box, after the
    // document agreed).
    QObject::connect(
        backend.widgetOf(&app.mainWindow()), &QObject::destroyed, &application,
        [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    return QApplication::exec();
}
