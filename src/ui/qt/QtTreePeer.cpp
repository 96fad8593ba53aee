#include "ui/qt/QtTreePeer.h"

#include "ui/CTreeCtrl.h"
#include "ui/qt/QtKeyFilter.h"

#include <QKeyEvent>
#include <QTreeWidget>

namespace {

constexpr int kHandleRole = Qt::UserRole;

} // namespace

QtTreePeer::QtTreePeer(CTreeCtrl& tree, QTreeWidget& widget) : m_tree(tree), m_widget(widget) {
    m_widget.setHeaderHidden(true);
    m_widget.setColumnCount(1);
    // The tree control decides what a double-click does.
    m_widget.setExpandsOnDoubleClick(false);
    m_updating = true;
    m_widget.clear();
    insertExisting(TVI_ROOT);
    m_updating = false;
    m_tree.setPeer(this);
    selectionChanged();

    m_connections.push_back(QObject::connect(&m_widget, &QTreeWidget::currentItemChanged,
                                             [this](QTreeWidgetItem* current) {
                                                 if (!m_updating) {
                                                     m_tree.userSelect(handleOf(current));
                                                 }
                                             }));
    m_connections.push_back(
        QObject::connect(&m_widget, &QTreeWidget::itemExpanded, [this](QTreeWidgetItem* item) {
            if (!m_updating) {
                m_tree.userSetExpanded(handleOf(item), true);
            }
        }));
    m_connections.push_back(
        QObject::connect(&m_widget, &QTreeWidget::itemCollapsed, [this](QTreeWidgetItem* item) {
            if (!m_updating) {
                m_tree.userSetExpanded(handleOf(item), false);
            }
        }));
    m_connections.push_back(
        QObject::connect(&m_widget, &QTreeWidget::itemDoubleClicked, [this](QTreeWidgetItem* item) {
            m_tree.userDoubleClick(handleOf(item));
        }));
    m_keys = QtKeyFilter::install(m_widget, [this](const QKeyEvent& key) {
        return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && m_tree.userReturn();
    });
}

QtTreePeer::~QtTreePeer() {
    // The widget may outlive the peer until the event loop deletes it.
    delete m_keys;
    for (const QMetaObject::Connection& connection : m_connections) {
        QObject::disconnect(connection);
    }
    m_tree.setPeer(nullptr);
}

QTreeWidgetItem* QtTreePeer::widgetItem(HTREEITEM item) const {
    const auto found = m_items.find(item.value);
    return found != m_items.end() ? found->second : nullptr;
}

void QtTreePeer::itemInserted(HTREEITEM item, HTREEITEM parent, int index) {
    auto* shown =
        new QTreeWidgetItem(QStringList(QString::fromStdString(m_tree.GetItemText(item))));
    shown->setData(0, kHandleRole, QVariant::fromValue(item.value));
    m_items[item.value] = shown;
    m_updating = true;
    if (parent == TVI_ROOT) {
        m_widget.insertTopLevelItem(index, shown);
    } else if (QTreeWidgetItem* above = widgetItem(parent)) {
        above->insertChild(index, shown);
    }
    m_updating = false;
}

void QtTreePeer::itemDeleted(HTREEITEM item) {
    QTreeWidgetItem* shown = widgetItem(item);
    if (shown == nullptr) {
        return;
    }
    forget(shown);
    m_updating = true;
    delete shown;
    m_updating = false;
}

void QtTreePeer::itemTextChanged(HTREEITEM item) {
    if (QTreeWidgetItem* shown = widgetItem(item)) {
        shown->setText(0, QString::fromStdString(m_tree.GetItemText(item)));
    }
}

void QtTreePeer::itemExpansionChanged(HTREEITEM item) {
    if (QTreeWidgetItem* shown = widgetItem(item)) {
        m_updating = true;
        shown->setExpanded(m_tree.IsExpanded(item));
        m_updating = false;
    }
}

void QtTreePeer::selectionChanged() {
    m_updating = true;
    m_widget.setCurrentItem(widgetItem(m_tree.GetSelectedItem()));
    m_updating = false;
}

void QtTreePeer::insertExisting(HTREEITEM parent) {
    int index = 0;
    for (HTREEITEM child : m_tree.children(parent)) {
        itemInserted(child, parent, index++);
        insertExisting(child);
        itemExpansionChanged(child);
    }
}

HTREEITEM QtTreePeer::handleOf(const QTreeWidgetItem* row) {
    if (row == nullptr) {
        return {};
    }
    return HTREEITEM{row->data(0, kHandleRole).value<uint32_t>()};
}

void QtTreePeer::forget(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i) {
        forget(item->child(i));
    }
    m_items.erase(handleOf(item).value);
}
