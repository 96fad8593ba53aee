#pragma once

#include "ui/CMenu.h"
#include "ui/FramePeer.h"
#include "ui/qt/QtWindowPeer.h"

#include <QMainWindow>
#include <QMetaObject>

#include <map>
#include <vector>

class CFrameWnd;
class QAction;
class QLabel;
class QMenu;
class QtBusyIndicator;
class QToolBar;

// The Qt window of a frame: a QMainWindow with the frame's menu bar, toolbar and status bar
// around a client area that its view fills. Every menu entry, toolbar button, accelerator,
// highlight, drop and the close box goes to the frame's user* operations; the frame's update
// handlers decide what the widgets show. The frame is brought up to date whenever the event
// loop is about to wait.
class QtFrameWindow final : public QMainWindow, public QtWindowPeer, public FramePeer {
public:
    explicit QtFrameWindow(CFrameWnd& frame);
    ~QtFrameWindow() override;

    QWidget* widget() override { return this; }
    QWidget* clientArea() override { return m_client; }
    QWidget* controlWidget(int /*controlId*/) const override { return nullptr; }
    QTreeWidget* treeWidget(const CTreeCtrl& /*tree*/) const override { return nullptr; }
    void detach() override;

    void titleChanged() override;
    void focusChanged(int /*controlId*/) override {}
    void visibilityChanged() override;
    void enabledChanged() override {}
    void treeAdded(CTreeCtrl& /*tree*/) override {}
    void treeRemoved(CTreeCtrl& /*tree*/) override {}

    void menuChanged() override;
    void commandStateChanged(int id) override;
    void statusPaneChanged(size_t index) override;
    void controlBarsChanged() override;
    void contextHelpModeChanged() override;

    // For tests that act through the widgets.
    std::vector<QAction*> actionsOf(int id) const;
    QToolBar* toolBar() const { return m_toolBar; }
    QLabel* statusPane(size_t index) const;
    QtBusyIndicator* busyIndicator() const { return m_busy; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void rebuildMenuLater(int delayMs);
    void addEntries(QMenu& menu, const std::vector<CMenu::Item>& items);
    QAction* commandAction(int id, const QString& text, QObject* parent);
    void buildToolBar();
    void buildStatusBar();
    void buildAccelerators();
    void showState(QAction& action, int id) const;
    // Context help: the click that says what help is wanted for, and Esc that cancels it.
    bool contextHelpEvent(QObject* watched, QEvent* event);

    CFrameWnd* m_frame;
    QWidget* m_client;
    QToolBar* m_toolBar = nullptr;
    std::vector<QLabel*> m_panes;
    QtBusyIndicator* m_busy = nullptr;
    std::multimap<int, QAction*> m_menuActions;
    std::map<int, QAction*> m_buttons;
    QMetaObject::Connection m_idleConnection;
    bool m_menuRebuildPending = false;
};
