#pragma once

#include "ui/WindowPeer.h"

class CTreeCtrl;
class QTreeWidget;
class QWidget;

// What the Qt backend keeps of every window it shows, whatever its kind. A frame's peer
// derives from this too and adds its menu bar, toolbar and status bar.
class QtWindowPeer : public WindowPeer {
public:
    // The window's own widget, and the one its child windows are placed in.
    virtual QWidget* widget() = 0;
    virtual QWidget* clientArea() = 0;
    // The widget of a control, or of a tree control placed in the window; null for none.
    virtual QWidget* controlWidget(int controlId) const = 0;
    virtual QTreeWidget* treeWidget(const CTreeCtrl& tree) const = 0;
    // Runs the window's modal loop until endModalLoop; false when this kind has none.
    virtual bool runModalLoop() { return false; }
    virtual void endModalLoop(int /*result*/) {}
    // Stops mirroring: the window's state is about to go.
    virtual void detach() = 0;
};
