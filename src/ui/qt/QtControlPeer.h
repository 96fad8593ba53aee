#pragma once

#include "ui/ControlPeer.h"

#include <QMetaObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
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
    // Told after every change has been mirrored, so that the window can lay out again.
    void setChangeObserver(std::function<void(StateChange)> observer) {
        m_observer = std::move(observer);
    }

    // Where the template puts the control, in the window's dialog units.
    const QRect& templateGeometry() const { return m_templateGeometry; }
    // The width that shows the control's text whole; 0 for a control without text.
    virtual int textWidth() const { return 0; }
    // A control whose text is centred grows to both sides.
    virtual bool centred() const { return false; }
    virtual bool isGroupBox() const { return false; }
    // The window gives this control the focus; Tab would stop here.
    virtual void takeFocus();

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

    CWnd& window() const { return m_window; }
    // Null once detached.
    ControlState* state() const { return m_state; }
    bool updating() const { return m_updating; }

private:
    void start();

    CWnd& m_window;
    ControlState* m_state;
    QPointer<QWidget> m_widget;
    QRect m_templateGeometry;
    std::function<void(StateChange)> m_observer;
    std::vector<QMetaObject::Connection> m_connections;
    bool m_updating = false;
    // Items changed while the control's redraw was off: synced in one go when it comes back on,
    // so that a long list filled line by line is rebuilt once, not once per line.
    bool m_itemsStale = false;
};
