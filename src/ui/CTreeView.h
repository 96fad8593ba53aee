#pragma once

#include "res/CommandIds.h"
#include "ui/CTreeCtrl.h"
#include "ui/CView.h"

// A view that is one tree control filling the frame's client area. The tree reports its
// notifications (NM_DBLCLK) to the view under treeId, so a derived view handles them in its
// own message table.
class CTreeView : public CView {
public:
    static constexpr int treeId = AFX_IDW_PANE_FIRST;

    CTreeView() { m_tree.setOwner(this, treeId); }

    CTreeCtrl& GetTreeCtrl() { return m_tree; }
    const CTreeCtrl& GetTreeCtrl() const { return m_tree; }

protected:
    void onViewCreated() override { m_tree.Create(*this, treeId); }

private:
    CTreeCtrl m_tree;
};
