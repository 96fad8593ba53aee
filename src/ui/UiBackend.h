#pragma once

#include <cstdint>
#include <functional>
#include <string>

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
//
// The contract of a window's life:
// - CWnd creates its state first (controls, title, parent or owner), then calls createPeer.
//   The backend may give the window a peer (CWnd::setPeer), built from that state; a parent
//   always has its peer before its children are created. From then on the peer hears of every
//   change through WindowPeer and ControlPeer, and reports what the user does through the
//   window's user* operations only: the rules of what a click, a selection, typing, Enter
//   and Esc do live in the window and control objects, never in a backend.
// - A backend builds the peer that fits CWnd::windowKind(). A frame's peer derives from
//   WindowPeer and adds what only a frame has (menu bar, toolbar, status bar).
// - Modal loops nest: runModalLoop may be called for a dialog whose owner is itself running a
//   modal loop; timers and posted messages of every window keep running in the inner loop.
// - windowDestroyed comes once, after WM_DESTROY was handled (or from the destructor of a
//   window that was never destroyed): the backend drops the peer, timers and posted messages.
class UiBackend {
public:
    virtual ~UiBackend() = default;

    // The window was just created; give it a peer if this backend shows windows.
    virtual void createPeer(CWnd& window) = 0;
    // Runs a modal loop for the created and shown window until CWnd::EndModalLoop; false when
    // this backend cannot run one (DoModal then returns -1).
    virtual bool runModalLoop(CWnd& window) = 0;
    // The window called EndModalLoop: leave its loop.
    virtual void endModalLoop(CWnd& window) = 0;
    // A modal message box; owner may be null. Returns one of the answers the style offers
    // (MessageBoxAnswers).
    virtual int messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                           unsigned style) = 0;
    // A modal file dialog; returns IDOK with the chosen path, or IDCANCEL.
    virtual int fileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path) = 0;
    // (Re)arms a repeating timer of a window; false when it cannot.
    virtual bool setTimer(CWnd& window, uintptr_t timerId, unsigned elapseMs) = 0;
    virtual bool killTimer(CWnd& window, uintptr_t timerId) = 0;
    virtual bool postMessage(CWnd& window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
    // The window is gone: forget its peer, timers, posted messages and widgets.
    virtual void windowDestroyed(CWnd& window) = 0;
    // The hourglass from now until endWaitCursor (calls nest). The windows are painted with
    // what they show before this returns, since the caller is about to block.
    virtual void beginWaitCursor() {}
    virtual void endWaitCursor() {}
    // One blocking step of a busy flow (BusyFlow): runs it to completion and returns its
    // result. A desktop backend keeps the windows painting meanwhile and drops user input.
    virtual int runBusyStep(const std::function<int()>& step) { return step(); }
    // BusyFlow::state() changed: show the flow's progress and whether it can be cancelled.
    virtual void busyStateChanged() {}
    // The outermost busy flow is about to end: input the user gave meanwhile is dropped.
    virtual void busyFlowEnding() {}
    // Puts plain text on the system clipboard; a backend without one drops it.
    virtual void setClipboardText(const std::string& text) { (void)text; }
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
