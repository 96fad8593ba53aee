#include "ui/CListBox.h"

#include "ui/ControlState.h"

void CListBox::SetTabStops(std::span<const int> stops) {
    ControlState* control = state();
    if (control == nullptr) {
        return;
    }
    control->tabStops.assign(stops.begin(), stops.end());
    control->changed(StateChange::TabStops);
}

void CListBox::SetRedraw(bool redraw) {
    ControlState* control = state();
    if (control == nullptr || control->redraw == redraw) {
        return;
    }
    control->redraw = redraw;
    control->changed(StateChange::Redraw);
}
