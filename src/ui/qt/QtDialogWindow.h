#pragma once

#include "ui/qt/QtControlHost.h"
#include "ui/qt/QtWindowPeer.h"

#include <QDialog>

#include <vector>

class CTreeCtrl;
class CWnd;
class QTreeWidget;
class QtControlPeer;

// The Qt window of a dialog, modal or modeless: one widget per control, laid out from the
// template's dialog units, over its owner's window, and wide enough to show its title. Enter, Esc and the close box reach the
// dialog's own user operations, so that the window decides what they do; Tab follows template
// order; the focus is kept in step both ways.
class QtDialogWindow final : public QDialog, public QtWindowPeer {
public:
    QtDialogWindow(CWnd& window, QWidget* parent);
    ~QtDialogWindow() override;

    QtControlPeer* peer(int controlId) const { return m_host.peer(controlId); }
    QWidget* controlWidget(int controlId) const override { return m_host.controlWidget(controlId); }
    // The control widgets in template order.
    std::vector<QWidget*> controlWidgets() const { return m_host.controlWidgets(); }
    QTreeWidget* treeWidget(const CTreeCtrl& tree) const override {
        return m_host.treeWidget(tree);
    }

    QWidget* widget() override { return this; }
    QWidget* clientArea() override { return this; }
    bool runModalLoop() override;
    void endModalLoop(int result) override;
    void detach() override;

    void titleChanged() override;
    void focusChanged(int controlId) override;
    void visibilityChanged() override;
    void enabledChanged() override;
    void treeAdded(CTreeCtrl& tree) override { m_host.addTree(tree); }
    void treeRemoved(CTreeCtrl& tree) override { m_host.removeTree(tree); }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitToTitle();

    CWnd* m_window;
    QtControlHost m_host;
};
