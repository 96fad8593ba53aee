#include "ui/qt/QtBackend.h"

#include "ui/CDialog.h"
#include "ui/UiConstants.h"
#include "ui/qt/QtDialogWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// What the backend keeps per window: its timers, and a token that queued calls and timer
// ticks check, so that nothing reaches a window after it was destroyed.
struct QtBackend::WindowRecord {
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    std::map<uintptr_t, QTimer*> timers;

    ~WindowRecord() {
        *alive = false;
        for (auto& [id, timer] : timers) {
            timer->stop();
            timer->deleteLater();
        }
    }
};

QtBackend::QtBackend() = default;

QtBackend::~QtBackend() {
    m_windows.clear();
    // Timers of windows that were still alive are deleted through the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int QtBackend::runModal(CDialog& dialog) {
    if (!dialog.createWindow()) {
        return -1;
    }
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    {
        QtDialogWindow window(dialog, parent);
        m_dialogs[&dialog] = &window;
        if (!dialog.modalEnded()) {
            window.exec();
        }
        m_dialogs.erase(&dialog);
        window.detach();
    }
    const int result = dialog.modalResult();
    dialog.closeWindow();
    return result;
}

void QtBackend::endModal(CDialog& dialog, int result) {
    const auto found = m_dialogs.find(&dialog);
    if (found != m_dialogs.end()) {
        found->second->done(result);
    }
}

int QtBackend::messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                          unsigned style) {
    QMessageBox box(widgetOf(owner));
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (style & MB_ICONMASK) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONWARNING:
        box.setIcon(QMessageBox::Warning);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if ((style & MB_TASKMODAL) != 0) {
        box.setWindowModality(Qt::ApplicationModal);
    }
    QPushButton* negative = nullptr;
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        box.addButton(QMessageBox::Ok);
        negative = box.addButton(QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.addButton(QMessageBox::Yes);
        negative = box.addButton(QMessageBox::No);
        break;
    case MB_YESNOCANCEL:
        box.addButton(QMessageBox::Yes);
        box.addButton(QMessageBox::No);
        negative = box.addButton(QMessageBox::Cancel);
        break;
    default:
        negative = box.addButton(QMessageBox::Ok);
        break;
    }
    box.setEscapeButton(negative);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return (style & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
}

int QtBackend::fileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path) {
    QWidget* parent = widgetOf(owner);
    const QString title = QString::fromStdString(request.title);
    const QString start = QString::fromStdString(request.initialPath);
    const QString filter = QString::fromStdString(request.filter);
    const QString chosen = request.open
                               ? QFileDialog::getOpenFileName(parent, title, start, filter)
                               : QFileDialog::getSaveFileName(parent, title, start, filter);
    if (chosen.isEmpty()) {
        return IDCANCEL;
    }
    path = chosen.toStdString();
    return IDOK;
}

bool QtBackend::setTimer(CWnd& window, uintptr_t timerId, unsigned elapseMs) {
    WindowRecord& entry = record(window);
    QTimer*& timer = entry.timers[timerId];
    if (timer == nullptr) {
        timer = new QTimer();
        std::weak_ptr<bool> alive = entry.alive;
        QObject::connect(timer, &QTimer::timeout, [alive, &window, timerId] {
            const auto token = alive.lock();
            if (token && *token) {
                window.dispatchMessage(WM_TIMER, timerId, 0);
            }
        });
    }
    timer->start(static_cast<int>(elapseMs));
    return true;
}

bool QtBackend::killTimer(CWnd& window, uintptr_t timerId) {
    const auto found = m_windows.find(&window);
    if (found == m_windows.end()) {
        return false;
    }
    const auto timer = found->second->timers.find(timerId);
    if (timer == found->second->timers.end() || !timer->second->isActive()) {
        return false;
    }
    // Kept for a later SetTimer: a timer may be killed from inside its own tick.
    timer->second->stop();
    return true;
}

bool QtBackend::postMessage(CWnd& window, unsigned message, uintptr_t wParam, intptr_t lParam) {
    std::weak_ptr<bool> alive = record(window).alive;
    QMetaObject::invokeMethod(
        qApp,
        [alive, &window, message, wParam, lParam] {
            const auto token = alive.lock();
            if (token && *token) {
                window.dispatchMessage(message, wParam, lParam);
            }
        },
        Qt::QueuedConnection);
    return true;
}

void QtBackend::windowDestroyed(CWnd& window) {
    m_windows.erase(&window);
}

QtDialogWindow* QtBackend::windowOf(const CDialog& dialog) const {
    const auto found = m_dialogs.find(&dialog);
    return found != m_dialogs.end() ? found->second : nullptr;
}

QWidget* QtBackend::widgetOf(const CWnd* window) const {
    for (const auto& [dialog, shown] : m_dialogs) {
        if (dialog == window) {
            return shown;
        }
    }
    return nullptr;
}

QtBackend::WindowRecord& QtBackend::record(CWnd& window) {
    std::unique_ptr<WindowRecord>& entry = m_windows[&window];
    if (!entry) {
        entry = std::make_unique<WindowRecord>();
    }
    return *entry;
}
