// The VtrConfig desktop program.
//
//   vtrconfig [FILE.vtr]             the main window, with an untitled document or the one named
//   vtrconfig --demo                 the main window connected to a simulated unit in-process
//   vtrconfig --demo-profile FILE    the same with the unit described by a profile file
//   vtrconfig --help | --version
//   vtrconfig --gallery DIR          every dialog template, the frame sample, the connect options
//                                    of each protocol and the main window as pictures in DIR

#include "app/CMakeConnectionDlg.h"
#include "app/CVtrConfigApp.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tools/vtrconfig/DemoUnit.h"
#include "tools/vtrconfig/MainWindowGallery.h"
#include "tools/vtrconfig/ManualLocation.h"
#include "tools/vtrconfig/StartupProbe.h"
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

constexpr const char* kUsage =
    "usage: vtrconfig [FILE.vtr | --demo | --demo-profile FILE | --gallery DIR]\n";

constexpr const char* kHelp =
    "VtrConfig: configure a Vantrel VTR300 I/O unit over Modbus TCP or Modbus RTU.\n"
    "\n"
    "  FILE.vtr             open this document (it connects at once when its Auto Connect\n"
    "                       is set)\n"
    "  --demo               connect to a simulated VTR300 started inside the program\n"
    "  --demo-profile FILE  the same with the unit described by a profile file\n"
    "  --gallery DIR        write every dialog and the main window as PNG pictures to DIR\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "Without a FILE an untitled document opens. The manual opens with F1 or Help > Help\n"
    "Topics; see also vtrctl(1) and vtr300-sim(1).\n";

struct CommandLine {
    std::string document;
    std::string galleryDir;
    bool gallery = false;
    bool demo = false;
    std::string demoProfile;
    bool help = false;
    bool version = false;
    // Undocumented: report start-up times on stderr and quit once the tree is shown.
    bool startupProbe = false;
};

// Reads argv; false with the reason, naming the word refused.
bool parse(int argc, char* argv[], CommandLine& line, std::string& problem) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if ((argument == "--gallery" || argument == "--demo-profile") && !hasValue) {
            problem = argument + " needs a value";
            return false;
        }
        if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (argument == "--gallery") {
            line.gallery = true;
            line.galleryDir = argv[++i];
        } else if (argument == "--demo") {
            line.demo = true;
        } else if (argument == "--demo-profile") {
            line.demo = true;
            line.demoProfile = argv[++i];
        } else if (argument == "--startup-probe") {
            line.startupProbe = true;
        } else if (argument.empty() || argument[0] == '-') {
            problem = "unknown option '" + argument + "'";
            return false;
        } else if (!line.document.empty()) {
            problem = "'" + argument + "': only one document can be opened";
            return false;
        } else {
            line.document = argument;
        }
    }
    const int modes =
        (line.gallery ? 1 : 0) + (line.demo ? 1 : 0) + (line.document.empty() ? 0 : 1);
    if (modes > 1 || (line.startupProbe && line.gallery)) {
        problem = "a document, --demo and --gallery exclude each other";
        return false;
    }
    return true;
}

int usage(const std::string& problem) {
    std::fprintf(stderr, "vtrconfig: %s\n%sRun 'vtrconfig --help' for details.\n", problem.c_str(),
                 kUsage);
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
    CommandLine line;
    std::string problem;
    if (!parse(argc, argv, line, problem)) {
        return usage(problem);
    }
    if (line.help) {
        std::printf("%s\n%s", kUsage, kHelp);
        return 0;
    }
    if (line.version) {
        std::printf("vtrconfig %s\n", VTR_VERSION);
        return 0;
    }
    StartupProbe probe(line.startupProbe);
    // Pictures and timings need no screen: without one, render offscreen.
    if ((line.gallery || line.startupProbe) && !haveDisplay() &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Outlives the application, whose document disconnects from it on the way out.
    DemoUnit demo;
    if (line.demo) {
        std::string failure;
        if (!demo.start(line.demoProfile, failure)) {
            std::fprintf(stderr, "vtrconfig: %s\n", failure.c_str());
            return 1;
        }
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VtrConfig"));
    QApplication::setWindowIcon(QIcon(QPixmap(findIconXpm(IDR_MAINFRAME))));
    QtBackend backend;
    ScopedBackend installed(backend);

    if (line.gallery) {
        return writeGallery(line.galleryDir);
    }
    CVtrConfigApp app;
    app.SetHelpFile(ManualLocation::find());
    std::vector<std::string> arguments;
    if (!line.document.empty()) {
        arguments.push_back(line.document);
    }
    app.setStartupConnect([&backend, &app, &probe](std::function<void()> connect) {
        probe.onFirstPaint(*backend.widgetOf(&app.mainWindow()), std::move(connect));
    });
    std::string failure;
    if (!app.start(arguments, failure)) {
        std::fprintf(stderr, "vtrconfig: %s\n", failure.c_str());
        return 1;
    }
    QWidget* window = backend.widgetOf(&app.mainWindow());
    // The program ends when its main window is gone (File Exit or the close box, after the
    // document agreed).
    QObject::connect(
        window, &QObject::destroyed, &application, [] { QCoreApplication::quit(); },
        Qt::QueuedConnection);
    if (line.demo) {
        demo.pointAt(app.document());
        // Connect once the window is on the screen, through the Connect command, so that the
        // user sees the same status texts as with a real unit.
        probe.onFirstPaint(*window, [&app, &probe, window, timed = line.startupProbe] {
            app.mainWindow().OnConnect();
            if (timed) {
                window->repaint();
                probe.treeShown(app.document().isConnected() != 0,
                                app.mainWindow().view().GetTreeCtrl().GetCount());
            }
        });
    } else if (line.startupProbe) {
        probe.onFirstPaint(*window, [&probe] { probe.treeShown(false, 0); });
    }
    return QApplication::exec();
}
