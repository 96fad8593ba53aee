#pragma once

#include "ui/ControlPeer.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <vector>

class CWnd;
class DialogUnits;
class TabStopDelegate;
struct ControlState;

// The widget of one control. It is created from the control's state, follows every change the
// program makes to that state, and turns the user's actions into state changes plus the
// control's notification to its window. Programmatic updates never come back as
// notifications.
class QtControlPeer final : public ControlPeer {
public:
    QtControlPeer(CWnd& window, ControlState& state, QWidget* parent, const DialogUnits& units);
    ~QtControlPeer() override;

    QWidget* widget() const { return m_widget; }
    int controlId() const;
    // Forgets the state and stops reporting: the window is about to go.
    void detach();

    void stateChanged(StateChange change) override;

    // Clicks this button as the user would (Enter in a multi-line edit presses the default).
    void click();

private:
    void create(QWidget* parent, const DialogUnits& units);
    void connectUser();
    void syncText();
    void fitText();
    void syncItems();
    void syncSelection();
    void userClicked();
    void userEdited(const QString& text);
    void userSelected(int index);

    CWnd& m_window;
    ControlState* m_state;
    QPointer<QWidget> m_widget;
    TabStopDelegate* m_delegate = nullptr;
    std::vector<QMetaObject::Connection> m_connections;
    bool m_updating = false;
};
