#include "ui/qt/DialogGallery.h"

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/CDialog.h"
#include "ui/SampleFrame.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtDialogWindow.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kBorder = 1;
constexpr int kFrameWidth = 480;
constexpr int kFrameHeight = 300;

} // namespace

QImage DialogGallery::withCaption(QWidget& window) {
    const QPixmap client = window.grab();
    const QFontMetrics metrics(window.font());
    const int barHeight = metrics.height() + 8;
    QImage picture(client.width() + 2 * kBorder, client.height() + barHeight + 2 * kBorder,
                   QImage::Format_RGB32);
    picture.fill(QColor(0x40, 0x40, 0x48));
    QPainter painter(&picture);
    painter.fillRect(kBorder, kBorder, client.width(), barHeight, QColor(0x2B, 0x4F, 0x8C));
    QFont bold = window.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::white);
    painter.drawText(QRect(kBorder + 6, kBorder, client.width() - 12, barHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawPixmap(kBorder, kBorder + barHeight, client);
    painter.end();
    return picture;
}

QImage DialogGallery::render(const DialogTemplate& from) {
    CDialog dialog(from);
    return render(dialog);
}

QImage DialogGallery::render(CDialog& dialog) {
    // A backend of its own, so that the picture does not depend on the one installed.
    QtBackend backend;
    const ScopedBackend scope(backend);
    if (!dialog.createWindow()) {
        return {};
    }
    QImage picture;
    {
        QtDialogWindow& window = *backend.windowOf(dialog);
        window.show();
        QApplication::processEvents();
        picture = withCaption(window);
        window.hide();
    }
    dialog.closeWindow();
    return picture;
}

QImage DialogGallery::renderFrameSample() {
    QtBackend backend;
    const ScopedBackend scope(backend);
    SampleFrame frame;
    if (!frame.create()) {
        return {};
    }
    QWidget* window = backend.widgetOf(&frame);
    window->resize(kFrameWidth, kFrameHeight);
    QApplication::processEvents();
    return withCaption(*window);
}

bool DialogGallery::writeDialog(CDialog& dialog, const std::string& directory,
                                const std::string& name, std::string& error) {
    const QDir folder(QString::fromStdString(directory));
    const QString path = folder.filePath(
        QStringLiteral("%1-%2.png").arg(dialog.templateId()).arg(QString::fromStdString(name)));
    if (!render(dialog).save(path, "PNG")) {
        error = "cannot write " + path.toStdString();
        return false;
    }
    return true;
}

int DialogGallery::writeAll(const std::string& directory, std::string& error) {
    const QDir folder(QString::fromStdString(directory));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        error = "cannot create " + directory;
        return -1;
    }
    int written = 0;
    for (const DialogTemplate* dialog : allDialogTemplates()) {
        const QString name = QStringLiteral("%1-%2.png").arg(dialog->id).arg(dialog->name);
        const QString path = folder.filePath(name);
        if (!render(*dialog).save(path, "PNG")) {
            error = "cannot write " + path.toStdString();
            return -1;
        }
        ++written;
    }
    const QString framePath =
        folder.filePath(QStringLiteral("%1-frame-sample.png").arg(IDR_FRAME_SAMPLE));
    if (!renderFrameSample().save(framePath, "PNG")) {
        error = "cannot write " + framePath.toStdString();
        return -1;
    }
    return written + 1;
}
