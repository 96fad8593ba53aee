#pragma once

#include <cstdint>
#include <string>

class CDialog;
class CWnd;

// What a file dialog asks for: open an existing file or name one to save.
struct FileDialogRequest {
    bool open;
    std::string title;
    std::string filter;           // "Vtr Config Files (*.vtr)"; several separated by ";;"
    std::string defaultExtension; // ".vtr", added to a typed name without one
    std::string initialPath;
    std::string selectedFilter = {}; // the filter chosen at first; empty: the first one
};

// What the windows need from the system that shows them. One backend is current per process:
// the Qt renderer in the program, the headless one in tests. Every call comes from the
// user-interface thread.
class UiBackend {
public:
    virtual ~UiBackend() = default;

    // Creates the dialog's window (CDialog::createWindow), runs the modal loop until the
    // dialog ends, destroys the window and returns the end code; -1 when it cannot be created.
    virtual int runModal(CDialog& dialog) = 0;
    // The dialog called EndDialog: leave its modal loop.
    virtual void endModal(CDialog& dialog, int result) = 0;
    // A modal message box; owner may be null. Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                           unsigned style) = 0;
    // A modal file dialog; returns IDOK with the chosen path, or IDCANCEL.
    virtual int fileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path) = 0;
    // (Re)arms a repeating timer of a window; false when it cannot.
    virtual bool setTimer(CWnd& window, uintptr_t timerId, unsigned elapseMs) = 0;
    virtual bool killTimer(CWnd& window, uintptr_t timerId) = 0;
    virtual bool postMessage(CWnd& window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
    // The window is gone: forget its timers, posted messages and widgets.
    virtual void windowDestroyed(CWnd& window) = 0;
};

// The current backend; without one installed, a backend that creates no window: dialogs
// return -1 and message boxes the answer of their negative button.
UiBackend& currentBackend();

// Installs a backend for the lifetime of this object, restoring the previous one after.
class ScopedBackend {
public:
    explicit ScopedBackend(UiBackend& backend);
    ~ScopedBackend();
    ScopedBackend(const ScopedBackend&) = delete;
    ScopedBackend& operator=(const ScopedBackend&) = delete;

private:
    UiBackend* m_previous;
};
