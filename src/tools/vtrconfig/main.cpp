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
#include <string>

namespace {

constexpr int kExitUsage = 2;

int usage() {
    std::fprintf(stderr, "usage: vtrconfig [--gallery DIR]\n");
    return kExitUsage;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VtrConfig"));
    QApplication::setWindowIcon(QIcon(QPixmap(findIconXpm(IDR_MAINFRAME))));
    QtBackend backend;
    ScopedBackend installed(backend);

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--gallery")) {
        std::string error;
        const int written = DialogGallery::writeAll(arguments[2].toStdString(), error);
        if (written < 0) {
            std::fprintf(stderr, "vtrconfig: %s\n", error.c_str());
            return 1;
        }
        std::printf("vtrconfig: %d dialogs written to %s\n", written,
                    arguments[2].toLocal8Bit().constData());
        return 0;
    }
    if (arguments.size() != 1) {
        return usage();
    }
    CDialog about(IDD_ABOUTBOX);
    return about.DoModal() == -1 ? 1 : 0;
}
