#include "ui/CButton.h"

#include "ui/ControlState.h"

void CButton::SetCheck(bool checked) {
    ControlState* control = state();
    if (control != nullptr && control->checked != checked) {
        control->checked = checked;
        control->changed(StateChange::Checked);
    }
}

bool CButton::GetCheck() const {
    const ControlState* control = state();
    return control != nullptr && control->checked;
}
