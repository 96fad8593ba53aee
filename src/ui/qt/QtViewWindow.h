#pragma once

#include "ui/qt/QtControlHost.h"
#include "ui/qt/QtWindowPeer.h"

#include <QWidget>

class CTreeCtrl;
class CWnd;
class QTreeWidget;

// The widget of a view: a child window filling its parent's client area, hosting controls and
// trees. Without a parent it is a plain top-level window (a frame until frames have a peer of
// their own).
class QtViewWindow final : public QWidget, public QtWindowPeer {
public:
    QtViewWindow(CWnd& window, QWidget* parentClient);
    ~QtViewWindow() override;

    QWidget* controlWidget(int controlId) const override { return m_host.controlWidget(controlId); }
    QTreeWidget* treeWidget(const CTreeCtrl& tree) const override {
        return m_host.treeWidget(tree);
    }

    QWidget* widget() override { return this; }
    QWidget* clientArea() override { return this; }
    void detach() override;

    void titleChanged() override;
    void focusChanged(int controlId) override;
    void visibilityChanged() override;
    void enabledChanged() override;
    void treeAdded(CTreeCtrl& tree) override { m_host.addTree(tree); }
    void treeRemoved(CTreeCtrl& tree) override { m_host.removeTree(tree); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CWnd* m_window;
    QtControlHost m_host;
};
