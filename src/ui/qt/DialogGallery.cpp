#include "ui/qt/DialogGallery.h"

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/CDialog.h"
#include "ui/SampleFrame.h"
#include "ui/UiConstants.h"
#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {

constexpr int kBorder = 1;
constexpr int kFrameWidth = 480;
constexpr int kFrameHeight = 300;

} // namespace

QImage DialogGallery::withCaption(QWidget& window) {
    // Drawn in the window's coordinates onto as many pixels as the screen gives them
    // (QT_SCALE_FACTOR=2: four per point).
    const QPixmap client = window.grab();
    const qreal ratio = client.devicePixelRatio();
    const QSize size = client.deviceIndependentSize().toSize();
    const QFontMetrics metrics(window.font());
    const int barHeight = metrics.height() + 8;
    QImage picture(QSize(size.width() + 2 * kBorder, size.height() + barHeight + 2 * kBorder) *
                       ratio,
                   QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(QColor(0x40, 0x40, 0x48));
    QPainter painter(&picture);
    painter.fillRect(kBorder, kBorder, size.width(), barHeight, QColor(0x2B, 0x4F, 0x8C));
    QFont bold = window.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::white);
    painter.drawText(QRect(kBorder + 6, kBorder, size.width() - 12, barHeight),
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
    // A backend of its own, so that the picture does not depend on the one installed; the
    // dialog runs modal as in the program, and is pictured once its loop runs.
    QtBackend backend;
    const ScopedBackend scope(backend);
    QImage picture;
    backend.setModalObserver([&](QWidget& modal, CWnd* window) {
        if (window == &dialog) {
            picture = withCaption(modal);
            dialog.EndDialog(IDCANCEL);
        }
    });
    dialog.DoModal();
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
