#include "ui/qt/QtBackend.h"

#include "ui/BusyFlow.h"
#include "ui/CFrameWnd.h"
#include "ui/CWnd.h"
#include "ui/MessageBoxAnswers.h"
#include "ui/UiConstants.h"
#include "ui/qt/QtBusyIndicator.h"
#include "ui/qt/QtDialogWindow.h"
#include "ui/qt/QtFrameWindow.h"
#include "ui/qt/QtViewWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
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

int QtBackend::standardButton(int answer) {
    switch (answer) {
    case IDCANCEL:
        return QMessageBox::Cancel;
    case IDYES:
        return QMessageBox::Yes;
    case IDNO:
        return QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QtBackend::QtBackend() = default;

QtBackend::~QtBackend() {
    for (auto& [window, peer] : m_peers) {
        peer->detach();
        delete peer->widget();
    }
    m_windows.clear();
    // Timers and widgets of windows already gone are deleted through the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtBackend::createPeer(CWnd& window) {
    QtWindowPeer* peer = nullptr;
    switch (window.windowKind()) {
    case WindowKind::Dialog: {
        // Over its owner; a dialog without one still opens over whatever runs modal.
        QWidget* owner = widgetOf(window.GetParent());
        peer = new QtDialogWindow(window,
                                  owner != nullptr ? owner : QApplication::activeModalWidget());
        break;
    }
    case WindowKind::Child: {
        QtWindowPeer* parent =
            window.GetParent() != nullptr ? peerOf(*window.GetParent()) : nullptr;
        peer = new QtViewWindow(window, parent != nullptr ? parent->clientArea() : nullptr);
        break;
    }
    case WindowKind::Frame:
        if (auto* frame = dynamic_cast<CFrameWnd*>(&window)) {
            peer = new QtFrameWindow(*frame);
        } else {
            peer = new QtViewWindow(window, nullptr);
        }
        break;
    }
    m_peers[&window] = peer;
    window.setPeer(peer);
}

bool QtBackend::runModalLoop(CWnd& window) {
    QtWindowPeer* peer = peerOf(window);
    if (peer == nullptr) {
        return false;
    }
    announceModal(*peer->widget(), &window);
    return peer->runModalLoop();
}

void QtBackend::endModalLoop(CWnd& window) {
    if (QtWindowPeer* peer = peerOf(window)) {
        peer->endModalLoop(window.modalResult());
    }
}

int QtBackend::messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                          unsigned style) {
    // What the user typed while the flow worked must not answer its message.
    if (BusyFlow::state().running) {
        m_busyLoop.dropPendingInput();
    }
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
    const auto buttonOf = [](int answer) {
        return static_cast<QMessageBox::StandardButton>(standardButton(answer));
    };
    for (int answer : MessageBoxAnswers::buttons(style)) {
        box.addButton(buttonOf(answer));
    }
    box.setEscapeButton(box.button(buttonOf(MessageBoxAnswers::escape(style))));
    announceModal(box, nullptr);
    box.exec();
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    for (int answer : MessageBoxAnswers::buttons(style)) {
        if (buttonOf(answer) == pressed) {
            return answer;
        }
    }
    return MessageBoxAnswers::escape(style);
}

int QtBackend::fileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path) {
    QWidget* parent = widgetOf(owner);
    const QString title = QString::fromStdString(request.title);
    const QString start = QString::fromStdString(request.initialPath);
    const QString filter = QString::fromStdString(request.filter);
    QFileDialog dialog(parent, title, start, filter);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.open) {
        // The extension is added before the dialog asks about overwriting, so that the question
        // is about the file that will be written.
        QString suffix = QString::fromStdString(request.defaultExtension);
        dialog.setDefaultSuffix(suffix.startsWith('.') ? suffix.mid(1) : suffix);
    }
    if (!request.selectedFilter.empty()) {
        dialog.selectNameFilter(QString::fromStdString(request.selectedFilter));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return IDCANCEL;
    }
    path = dialog.selectedFiles().front().toStdString();
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
    const auto found = m_peers.find(&window);
    if (found == m_peers.end()) {
        return;
    }
    QtWindowPeer* peer = found->second;
    m_peers.erase(found);
    window.setPeer(nullptr);
    peer->detach();
    // The window may be destroyed from inside one of its own widgets' signals.
    peer->widget()->hide();
    peer->widget()->deleteLater();
}

QtWindowPeer* QtBackend::peerOf(const CWnd& window) const {
    const auto found = m_peers.find(&window);
    return found != m_peers.end() ? found->second : nullptr;
}

QtDialogWindow* QtBackend::windowOf(const CWnd& dialog) const {
    return dynamic_cast<QtDialogWindow*>(peerOf(dialog));
}

QWidget* QtBackend::widgetOf(const CWnd* window) const {
    QtWindowPeer* peer = window != nullptr ? peerOf(*window) : nullptr;
    return peer != nullptr ? peer->widget() : nullptr;
}

QtBackend::WindowRecord& QtBackend::record(CWnd& window) {
    std::unique_ptr<WindowRecord>& entry = m_windows[&window];
    if (!entry) {
        entry = std::make_unique<WindowRecord>();
    }
    return *entry;
}

void QtBackend::announceModal(QWidget& modal, CWnd* window) {
    if (m_modalObserver) {
        // Once the loop runs: the modal widget is the context, so nothing fires after it.
        QTimer::singleShot(0, &modal, [this, &modal, window] { m_modalObserver(modal, window); });
    }
}

void QtBackend::setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtBackend::beginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The caller blocks next: whatever changed (a status text) is painted now, not after.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            window->repaint();
        }
    }
}

void QtBackend::endWaitCursor() {
    QApplication::restoreOverrideCursor();
}

int QtBackend::runBusyStep(const std::function<int()>& step) {
    return m_busyLoop.run(step);
}

void QtBackend::busyStateChanged() {
    for (auto& [window, peer] : m_peers) {
        if (auto* frame = dynamic_cast<QtFrameWindow*>(peer)) {
            frame->busyIndicator()->showState(BusyFlow::state());
        }
    }
}

void QtBackend::busyFlowEnding() {
    m_busyLoop.dropPendingInput();
}
