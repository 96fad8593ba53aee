#pragma once

#include <cstddef>

// What a backend's peer of a frame mirrors beside what every window has (WindowPeer): the
// menu bar, toolbar and status bar. The user's actions come back through the frame's user*
// operations.
class FramePeer {
public:
    virtual ~FramePeer() = default;
    // The menu's entries changed (recent files): build it anew.
    virtual void menuChanged() = 0;
    // Enable, check or text of the menu entries and toolbar buttons of this command.
    virtual void commandStateChanged(int id) = 0;
    virtual void statusPaneChanged(size_t index) = 0;
    // The toolbar or the status bar was shown or hidden.
    virtual void controlBarsChanged() = 0;
    // Context help began or ended (CFrameWnd::contextHelpMode).
    virtual void contextHelpModeChanged() {}
};
