#include "ui/ControlState.h"

void ControlState::setSelection(int index) {
    curSel = index;
    if (index >= 0) {
        caret = index;
    }
    if (kind == ControlKind::ComboBox) {
        text = index >= 0 ? items[static_cast<size_t>(index)] : std::string();
    }
}
