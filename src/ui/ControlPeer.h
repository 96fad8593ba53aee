#pragma once

// What changed in a control's state, so that a backend peer updates only that.
enum class StateChange {
    Text,
    Items,
    Selection,
    Enabled,
    Checked,
    Redraw,
    TabStops,
    Repaint, // nothing changed, but the control is to be painted anew now
};

// A backend's mirror of one control (a widget). It is told of every change the program makes
// to the control's state; changes the user makes flow the other way, through the window.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void stateChanged(StateChange change) = 0;
};
