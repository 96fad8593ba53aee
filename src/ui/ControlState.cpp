#include "ui/ControlState.h"

bool ControlState::isTabStop() const {
    if (!enabled) {
        return false;
    }
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::Edit:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
        return true;
    case ControlKind::RadioButton:
        return checked || (style & StyleGroup) != 0;
    default:
        return false;
    }
}

void ControlState::setSelection(int index) {
    curSel = index;
    if (kind == ControlKind::ComboBox) {
        text = index >= 0 ? items[static_cast<size_t>(index)] : std::string();
    }
}
