#pragma once

#include "ui/UiBackend.h"

#include <map>
#include <memory>
#include <string>

class CWnd;
class QTimer;
class QWidget;
class QtDialogWindow;

// The backend of the desktop program: dialogs run as modal QDialogs, message boxes as
// QMessageBoxes, timers are QTimers and posted messages queued calls on the event loop.
// Needs a QApplication.
class QtBackend final : public UiBackend {
public:
    QtBackend();
    ~QtBackend() override;

    int runModal(CDialog& dialog) override;
    void endModal(CDialog& dialog, int result) override;
    int messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                   unsigned style) override;
    int fileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path) override;
    bool setTimer(CWnd& window, uintptr_t timerId, unsigned elapseMs) override;
    bool killTimer(CWnd& window, uintptr_t timerId) override;
    bool postMessage(CWnd& window, unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void windowDestroyed(CWnd& window) override;

    // The window of a dialog while it runs, for tests that act through real widgets.
    QtDialogWindow* windowOf(const CDialog& dialog) const;
    // The widget a window is shown in, or null.
    QWidget* widgetOf(const CWnd* window) const;

private:
    struct WindowRecord;
    WindowRecord& record(CWnd& window);

    std::map<const CWnd*, std::unique_ptr<WindowRecord>> m_windows;
    std::map<const CDialog*, QtDialogWindow*> m_dialogs;
};
