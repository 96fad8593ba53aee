#include "ui/CListControl.h"

#include "ui/ControlState.h"
#include "ui/UiConstants.h"

namespace {

bool inRange(const ControlState& control, int index) {
    return index >= 0 && static_cast<size_t>(index) < control.items.size();
}

} // namespace

int CListControl::AddString(const std::string& text) {
    return InsertString(-1, text);
}

int CListControl::InsertString(int index, const std::string& text) {
    ControlState* control = state();
    if (control == nullptr) {
        return CB_ERR;
    }
    const int count = static_cast<int>(control->items.size());
    if (index < -1 || index > count) {
        return CB_ERR;
    }
    const int at = index == -1 ? count : index;
    control->items.insert(control->items.begin() + at, text);
    if (control->curSel >= at) {
        ++control->curSel;
    }
    if (control->caret >= at) {
        ++control->caret;
    }
    control->changed(StateChange::Items);
    return at;
}

int CListControl::DeleteString(int index) {
    ControlState* control = state();
    if (control == nullptr || !inRange(*control, index)) {
        return CB_ERR;
    }
    control->items.erase(control->items.begin() + index);
    if (control->curSel == index) {
        control->curSel = -1;
    } else if (control->curSel > index) {
        --control->curSel;
    }
    if (control->caret > index || control->caret >= static_cast<int>(control->items.size())) {
        --control->caret;
    }
    control->changed(StateChange::Items);
    return static_cast<int>(control->items.size());
}

void CListControl::ResetContent() {
    ControlState* control = state();
    if (control == nullptr) {
        return;
    }
    control->items.clear();
    control->curSel = -1;
    control->caret = -1;
    if (control->kind == ControlKind::ComboBox) {
        control->text.clear();
    }
    control->changed(StateChange::Items);
}

int CListControl::GetCount() const {
    const ControlState* control = state();
    return control != nullptr ? static_cast<int>(control->items.size()) : CB_ERR;
}

int CListControl::SetCurSel(int index) {
    ControlState* control = state();
    if (control == nullptr) {
        return CB_ERR;
    }
    const int selection = inRange(*control, index) ? index : -1;
    control->setSelection(selection);
    control->changed(StateChange::Selection);
    return selection == -1 ? CB_ERR : selection;
}

int CListControl::GetCurSel() const {
    const ControlState* control = state();
    return control != nullptr ? control->curSel : CB_ERR;
}

std::string CListControl::GetLineText(int index) const {
    const ControlState* control = state();
    if (control == nullptr || !inRange(*control, index)) {
        return {};
    }
    return control->items[static_cast<size_t>(index)];
}
