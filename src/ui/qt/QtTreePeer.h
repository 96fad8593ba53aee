#pragma once

#include "ui/TreePeer.h"
#include "ui/qt/QtKeyFilter.h"

#include <QMetaObject>
#include <QPointer>

#include <unordered_map>
#include <vector>

class CTreeCtrl;
class QTreeWidget;
class QTreeWidgetItem;

// Mirrors a tree control into a QTreeWidget and reports the user's selection, expansion,
// double-clicks and Enter back to it. A double-click expands or collapses only when the tree
// control's owner leaves it unhandled.
class QtTreePeer final : public TreePeer {
public:
    QtTreePeer(CTreeCtrl& tree, QTreeWidget& widget);
    ~QtTreePeer() override;

    QTreeWidgetItem* widgetItem(HTREEITEM item) const;
    // The item a row of the widget shows.
    static HTREEITEM handleOf(const QTreeWidgetItem* row);

    void itemInserted(HTREEITEM item, HTREEITEM parent, int index) override;
    void itemDeleted(HTREEITEM item) override;
    void itemTextChanged(HTREEITEM item) override;
    void itemExpansionChanged(HTREEITEM item) override;
    void selectionChanged() override;

private:
    void insertExisting(HTREEITEM parent);
    void forget(QTreeWidgetItem* item);

    CTreeCtrl& m_tree;
    QTreeWidget& m_widget;
    std::unordered_map<uint32_t, QTreeWidgetItem*> m_items;
    std::vector<QMetaObject::Connection> m_connections;
    QPointer<QtKeyFilter> m_keys;
    bool m_updating = false;
};
