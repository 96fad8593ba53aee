#pragma once

class CTreeCtrl;

// A backend's mirror of one window: a frame, a modal or modeless dialog, or a child view. The
// backend creates it when the window is created (UiBackend::createPeer) and destroys it with
// the window. It is told of every change the program makes to the window; the user's actions
// come back through the window's user* operations.
class WindowPeer {
public:
    virtual ~WindowPeer() = default;
    virtual void titleChanged() = 0;
    virtual void focusChanged(int controlId) = 0;
    virtual void visibilityChanged() = 0;
    virtual void enabledChanged() = 0;
    // A tree control was placed in the window, or is about to leave it.
    virtual void treeAdded(CTreeCtrl& tree) = 0;
    virtual void treeRemoved(CTreeCtrl& tree) = 0;
};
