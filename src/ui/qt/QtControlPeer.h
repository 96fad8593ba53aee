#pragma once

#include "ui/ControlPeer.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class CWnd;
class DialogUnits;
struct ControlState;

// The widget of one control. It is created from the control's state, follows every change the
// program makes to that state, and hands the user's actions to the window's user* operations,
// which decide what they mean. Programmatic updates never come back as notifications. One
// subclass per control kind knows its widget.
class QtControlPeer : public ControlPeer {
public:
    // The peer that fits the control's kind, its widget placed on parent from the template.
    static std::unique_ptr<QtControlPeer> create(CWnd& window, ControlState& state, QWidget* parent,
                                                 const DialogUnits& units);
    ~QtControlPeer() override;

    QWidget* widget() const { return m_widget; }
    int controlId() const;
    // Forgets the state and stops reporting: the window is about to go.
    void detach();

    void stateChanged(StateChange change) override;

protected:
    QtControlPeer(CWnd& window, ControlState& state) : m_window(window), m_state(&state) {}

    // Called once by create: the kind's widget, placed at geometry.
    void place(QWidget* widget, const QRect& geometry);
    // Mirrors one kind of change; the default does nothing for the kinds it does not concern.
    virtual void syncText() {}
    virtual void syncItems() {}
    virtual void syncSelection() {}
    virtual void syncChecked() {}
    virtual void syncTabStops() {}
    // Connects the widget's signals of user actions to the window.
    virtual void connectUser() = 0;
    void keep(QMetaObject::Connection connection) { m_connections.push_back(connection); }
    // A label or radio button drawn for a narrower font grows to the right to show its whole
    // text, as far as the window allows.
    void growToText();

    CWnd& window() const { return m_window; }
    // Null once detached.
    ControlState* state() const { return m_state; }
    bool updating() const { return m_updating; }

private:
    void start();

    CWnd& m_window;
    ControlState* m_state;
    QPointer<QWidget> m_widget;
    std::vector<QMetaObject::Connection> m_connections;
    bool m_updating = false;
    // Items changed while the control's redraw was off: synced in one go when it comes back on,
    // so that a long list filled line by line is rebuilt once, not once per line.
    bool m_itemsStale = false;
};
