#pragma once

#include "ui/TreeItemHandle.h"

// A backend's mirror of a tree control. It hears of every change the program makes; the
// user's actions come back through the tree control's user* operations.
class TreePeer {
public:
    virtual ~TreePeer() = default;
    // A new item at position index among the children of parent (TVI_ROOT for top level).
    virtual void itemInserted(HTREEITEM item, HTREEITEM parent, int index) = 0;
    // The item and everything below it are gone.
    virtual void itemDeleted(HTREEITEM item) = 0;
    virtual void itemTextChanged(HTREEITEM item) = 0;
    virtual void itemExpansionChanged(HTREEITEM item) = 0;
    virtual void selectionChanged() = 0;
};
