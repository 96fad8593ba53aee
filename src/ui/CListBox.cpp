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

int CListBox::GetCaretIndex() const {
    const ControlState* control = state();
    return control != nullptr ? control->caret : -1;
}

void CListBox::SetCaretIndex(int index) {
    ControlState* control = state();
    if (control == nullptr || index < -1 || index >= static_cast<int>(control->items.size())) {
        return;
    }
    control->caret = index;
    control->changed(StateChange::Selection);
}

void CListBox::SetRedraw(bool redraw) {
    ControlState* control = state();
    if (control == nullptr || control->redraw == redraw) {
        return;
    }
    control->redraw = redraw;
    control->changed(StateChange::Redraw);
}
