#pragma once

#include "ui/qt/DialogUnits.h"

#include <QMetaObject>

#include <memory>
#include <vector>

class CTreeCtrl;
class CWnd;
class QTreeWidget;
class QWidget;
class QtControlPeer;
class QtTreePeer;

// The widgets of a window's controls on its client area: one peer per template control, laid
// out from dialog units, in template order for Tab, with labels leading their mnemonics to the
// control after them; and a tree widget for every tree control placed in the window, filling
// the client area. Keeps the window's focus in step with the widgets'.
class QtControlHost {
public:
    QtControlHost(CWnd& window, QWidget& client);
    ~QtControlHost();
    QtControlHost(const QtControlHost&) = delete;
    QtControlHost& operator=(const QtControlHost&) = delete;

    void detach();
    QtControlPeer* peer(int controlId) const;
    QWidget* controlWidget(int controlId) const;
    std::vector<QWidget*> controlWidgets() const;
    // The control shown by this widget, or 0.
    int controlIdOf(const QWidget* widget) const;
    void showFocus(int controlId);

    void addTree(CTreeCtrl& tree);
    void removeTree(CTreeCtrl& tree);
    QTreeWidget* treeWidget(const CTreeCtrl& tree) const;
    // The client area changed size.
    void fitTrees();

private:
    struct HostedTree;

    CWnd* m_window;
    QWidget& m_client;
    DialogUnits m_units;
    std::vector<std::unique_ptr<QtControlPeer>> m_peers;
    std::vector<std::unique_ptr<HostedTree>> m_trees;
    QMetaObject::Connection m_focusConnection;
};
