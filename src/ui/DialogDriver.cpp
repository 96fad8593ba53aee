#include "ui/DialogDriver.h"

#include "ui/CDialog.h"
#include "ui/ControlState.h"
#include "ui/HeadlessBackend.h"
#include "ui/UiConstants.h"

std::string DialogDriver::text(int controlId) const {
    const ControlState* state = control(controlId);
    return state != nullptr ? state->text : std::string();
}

std::vector<std::string> DialogDriver::items(int controlId) const {
    const ControlState* state = control(controlId);
    return state != nullptr ? state->items : std::vector<std::string>();
}

int DialogDriver::selection(int controlId) const {
    const ControlState* state = control(controlId);
    return state != nullptr ? state->curSel : -1;
}

bool DialogDriver::enabled(int controlId) const {
    const ControlState* state = control(controlId);
    return state != nullptr && state->enabled;
}

bool DialogDriver::checked(int controlId) const {
    const ControlState* state = control(controlId);
    return state != nullptr && state->checked;
}

int DialogDriver::focus() const {
    return m_dialog.GetFocusId();
}

std::string DialogDriver::title() const {
    return m_dialog.GetWindowText();
}

bool DialogDriver::ended() const {
    return m_dialog.modalEnded();
}

const ControlState* DialogDriver::control(int controlId) const {
    return m_dialog.findControl(controlId);
}

bool DialogDriver::select(int controlId, int index) {
    ControlState* state = usable(controlId, "select in");
    if (state == nullptr) {
        return false;
    }
    if (state->kind != ControlKind::ComboBox && state->kind != ControlKind::ListBox) {
        m_backend.problem("control " + std::to_string(controlId) + " has no lines to select");
        return false;
    }
    if (index < 0 || static_cast<size_t>(index) >= state->items.size()) {
        m_backend.problem("control " + std::to_string(controlId) + " has no line " +
                          std::to_string(index));
        return false;
    }
    m_dialog.userFocus(controlId);
    state->curSel = index;
    if (state->kind == ControlKind::ComboBox) {
        state->text = state->items[static_cast<size_t>(index)];
        m_dialog.notify(controlId, CBN_SELCHANGE);
    } else if ((state->style & StyleNotify) != 0) {
        m_dialog.notify(controlId, LBN_SELCHANGE);
    }
    return true;
}

bool DialogDriver::type(int controlId, const std::string& newText) {
    ControlState* state = usable(controlId, "type in");
    if (state == nullptr) {
        return false;
    }
    if (state->kind != ControlKind::Edit || (state->style & StyleReadOnly) != 0) {
        m_backend.problem("control " + std::to_string(controlId) + " takes no typing");
        return false;
    }
    m_dialog.userFocus(controlId);
    state->text = newText;
    m_dialog.notify(controlId, EN_UPDATE);
    m_dialog.notify(controlId, EN_CHANGE);
    return true;
}

bool DialogDriver::click(int controlId) {
    ControlState* state = usable(controlId, "click");
    if (state == nullptr) {
        return false;
    }
    if (state->kind != ControlKind::Button && state->kind != ControlKind::RadioButton) {
        m_backend.problem("control " + std::to_string(controlId) + " is not a button");
        return false;
    }
    m_dialog.userFocus(controlId);
    if (state->kind == ControlKind::RadioButton) {
        m_dialog.userCheckRadio(controlId);
    }
    m_dialog.notify(controlId, BN_CLICKED);
    return true;
}

bool DialogDriver::pressEnter() {
    if (ended()) {
        m_backend.problem("Enter pressed in a dialog that has ended");
        return false;
    }
    ControlState* focused = m_dialog.findControl(m_dialog.GetFocusId());
    if (focused != nullptr && focused->kind == ControlKind::Edit &&
        (focused->style & StyleWantReturn) != 0) {
        return type(focused->id, focused->text + "\r\n");
    }
    if (focused != nullptr && focused->kind == ControlKind::Button) {
        return click(focused->id);
    }
    for (const auto& control : m_dialog.controls()) {
        if (control->kind == ControlKind::Button && (control->style & StyleDefault) != 0) {
            // A greyed default button makes Enter do nothing.
            if (control->enabled) {
                m_dialog.notify(control->id, BN_CLICKED);
            }
            return control->enabled;
        }
    }
    m_dialog.notify(IDOK, BN_CLICKED);
    return true;
}

bool DialogDriver::pressEscape() {
    if (ended()) {
        m_backend.problem("Esc pressed in a dialog that has ended");
        return false;
    }
    m_dialog.notify(IDCANCEL, BN_CLICKED);
    return true;
}

void DialogDriver::advance(unsigned milliseconds) {
    m_backend.advance(milliseconds);
}

void DialogDriver::pumpMessages() {
    m_backend.pumpMessages();
}

ControlState* DialogDriver::usable(int controlId, const char* action) {
    const std::string what = std::string(action) + " control " + std::to_string(controlId);
    if (ended()) {
        m_backend.problem(what + " of a dialog that has ended");
        return nullptr;
    }
    ControlState* state = m_dialog.findControl(controlId);
    if (state == nullptr) {
        m_backend.problem(what + ", which the dialog does not have");
        return nullptr;
    }
    if (!state->enabled) {
        m_backend.problem(what + ", which is greyed");
        return nullptr;
    }
    return state;
}
