// The VtrConfig desktop program.
//
//   vtrconfig [FILE.vtr]             the main window, with an untitled document or the one named
//   vtrconfig --demo                 the main window connected to a simulated unit in-process
//   vtrconfig --demo-profile FILE    the same with the unit described by a profile file
//   vtrconfig --gallery DIR          every dialog template, the frame sample, the connect options
//                                    of each protocol and the main window as pictures in DIR

#include "app/CMakeConnectionDlg.h"
#include "app/CVtrConfigApp.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tools/vtrconfig/DemoUnit.h"
#include "tools/vtrconfig/MainWindowGallery.h"
#include "tools/vtrconfig/StartupProbe.h"
#include "ui/qt/DialogGallery.h"
#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitUsage = 2;

struct CommandLine {
    std::string document;
    std::string galleryDir;
    bool gallery = false;
    bool demo = false;
    std::string demoProfile;
    // Undocumented: report start-up times on stderr and quit once the tree is shown.
    bool startupProbe = false;
};

std::optional<CommandLine> parse(int argc, char* argv[]) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--gallery" && hasValue) {
            line.gallery = true;
            line.galleryDir = argv[++i];
        } else if (argument == "--demo") {
            line.demo = true;
        } else if (argument == "--demo-profile" && hasValue) {
            line.demo = true;
            line.demoProfile = argv[++i];
        } else if (argument == "--startup-probe") {
            line.startupProbe = true;
        } else if (!argument.empty() && argument[0] != '-' && line.document.empty()) {
            line.document = argument;
        } else {
            return std::nullopt;
        }
    }
    const int modes =
        (line.gallery ? 1 : 0) + (line.demo ? 1 : 0) + (line.document.empty() ? 0 : 1);
    if (modes > 1 || (line.startupProbe && line.gallery)) {
        return std::nullopt;
    }
    return line;
}

int usage() {
    std::fprintf(stderr,
                 "usage: vtrconfig [FILE.vtr | --demo [--demo-profile FILE] | --gallery DIR]\n");
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

int writeGallery(const std::string& directory) {
    std::string error;
    int written = 0;
    for (const auto write :
         {DialogGallery::writeAll, writeConnectOptionsPictures, MainWindowGallery::writeAll}) {
        const int pictures = write(directory, error);
        if (pictures < 0) {
            std::fprintf(stderr, "vtrconfig: %s\n", error.c_str());
            return 1;
        }
        written += pictures;
    }
    std::printf("vtrconfig: %d pictures written to %s\n", written, directory.c_str());
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // Past a file-size limit a write fails with EFBIG and is reported like a full disk,
    // instead of the signal ending the program with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::optional<CommandLine> line = parse(argc, argv);
    if (!line) {
        return usage();
    }
    StartupProbe probe(line->startupProbe);
    // Pictures and timings need no screen: without one, render offscreen.
    if ((line->gallery || line->startupProbe) && !haveDisplay() &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Outlives the application, whose document disconnects from it on the way out.
    DemoUnit demo;
    if (line->demo) {
        std::string failure;
        if (!demo.start(line->demoProfile, failure)) {
            std::fprintf(stderr, "vtrconfig: %s\n", failure.c_str());
            return 1;
        }
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VtrConfig"));
    QApplication::setWindowIcon(QIcon(QPixmap(findIconXpm(IDR_MAINFRAME))));
    QtBackend backend;
    ScopedBackend installed(backend);

    if (line->gallery) {
        return writeGallery(line->galleryDir);
    }
    CVtrConfigApp app;
    std::vector<std::string> arguments;
    if (!line->document.empty()) {
        arguments.push_back(line->document);
    }
    app.setStartupConnect([&backend, &app, &probe](std::function<void()> connect) {
        probe.onFirstPaint(*backend.widgetOf(&app.mainWindow()), std::move(connect));
    });
    std::string failure;
    const bool started = app.start(arguments, failure);
    if (!app.settingsWarning().empty()) {
        std::fprintf(stderr, "vtrconfig: %s\n", app.settingsWarning().c_str());
    }
    if (!started) {
        std::fprintf(stderr, "vtrconfig: %s\n", failure.c_str());
        return 1;
    }
    QWidget* window = backend.widgetOf(&app.mainWindow());
    // The program ends when its main window is gone (File Exit or the close box, after the
    // document agreed).
    QObject::connect(
        window, &QObject::destroyed, &application, [] { QCoreApplication::quit(); },
        Qt::QueuedConnection);
    if (line->demo) {
        demo.pointAt(app.document());
        // Connect once the window is on the screen, through the Connect command, so that the
        // user sees the same status texts as with a real unit.
        probe.onFirstPaint(*window, [&app, &probe, window, timed = line->startupProbe] {
            app.mainWindow().OnConnect();
            if (timed) {
                window->repaint();
                probe.treeShown(app.document().isConnected() != 0,
                                app.mainWindow().view().GetTreeCtrl().GetCount());
            }
        });
    } else if (line->startupProbe) {
        probe.onFirstPaint(*window, [&probe] { probe.treeShown(false, 0); });
    }
    return QApplication::exec();
}
