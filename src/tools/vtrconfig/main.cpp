// The VtrConfig desktop program.
//
//   vtrconfig                 shows the program's About box (the main window comes later)
//   vtrconfig --gallery DIR   renders every dialog template to DIR/<id>-<name>.png

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/CDialog.h"
#include "ui/qt/DialogGallery.h"
#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kExitUsage = 2;

int usage() {
    std::fprintf(stderr, "usage: vtrconfig [--gallery DIR]\n");
    return kExitUsage;
}

bool haveDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    const bool gallery = argc == 3 && std::strcmp(argv[1], "--gallery") == 0;
    if (!gallery && argc != 1) {
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
        const int written = DialogGallery::writeAll(galleryDir, error);
        if (written < 0) {
            std::fprintf(stderr, "vtrconfig: %s\n", error.c_str());
            return 1;
        }
        std::printf("vtrconfig: %d dialogs written to %s\n", written, galleryDir.c_str());
        return 0;
    }
    CDialog about(IDD_ABOUTBOX);
    return about.DoModal() == -1 ? 1 : 0;
}
