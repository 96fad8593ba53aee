#pragma once

#include "ui/UiBackend.h"
#include "ui/qt/QtBusyLoop.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class CWnd;
class QWidget;
class QtDialogWindow;
class QtWindowPeer;

// The backend of the desktop program: every window gets a widget of its kind (dialogs a
// QDialog, views a widget in their parent), modal loops are QDialog::exec and nest, message
// boxes are QMessageBoxes, timers are QTimers and posted messages queued calls on the event
// loop. Needs a QApplication. The steps of a busy flow run on a worker thread while a local
// event loop keeps the windows painting (QtBusyLoop).
class QtBackend final : public UiBackend {
public:
    // Told when a modal dialog (with its window) or a message box (without one) has opened
    // and its loop runs: for tests that act through the real widgets.
    using ModalObserver = std::function<void(QWidget& modal, CWnd* window)>;

    QtBackend();
    ~QtBackend() override;

    void createPeer(CWnd& window) override;
    bool runModalLoop(CWnd& window) override;
    void endModalLoop(CWnd& window) override;
    int messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                   unsigned style) override;
    int fileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path) override;
    bool setTimer(CWnd& window, uintptr_t timerId, unsigned elapseMs) override;
    bool killTimer(CWnd& window, uintptr_t timerId) override;
    bool postMessage(CWnd& window, unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void windowDestroyed(CWnd& window) override;
    void setClipboardText(const std::string& text) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;
    int runBusyStep(const std::function<int()>& step) override;
    void busyStateChanged() override;
    void busyFlowEnding() override;

    // The peer of a window while it exists, or null.
    QtWindowPeer* peerOf(const CWnd& window) const;
    // The Qt window of a dialog while it exists, for tests that act through real widgets.
    QtDialogWindow* windowOf(const CWnd& dialog) const;
    // The widget a window is shown in, or null.
    QWidget* widgetOf(const CWnd* window) const;
    void setModalObserver(ModalObserver observer) { m_modalObserver = std::move(observer); }
    // The QMessageBox::StandardButton that gives this answer.
    static int standardButton(int answer);

private:
    struct WindowRecord;
    WindowRecord& record(CWnd& window);
    void announceModal(QWidget& modal, CWnd* window);

    std::map<const CWnd*, std::unique_ptr<WindowRecord>> m_windows;
    std::map<const CWnd*, QtWindowPeer*> m_peers;
    ModalObserver m_modalObserver;
    QtBusyLoop m_busyLoop;
};
