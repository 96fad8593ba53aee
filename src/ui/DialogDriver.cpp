#include "ui/DialogDriver.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"
#include "ui/HeadlessBackend.h"

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
    return m_window.GetFocusId();
}

std::string DialogDriver::title() const {
    return m_window.GetWindowText();
}

bool DialogDriver::ended() const {
    return m_window.modalEnded();
}

const ControlState* DialogDriver::control(int controlId) const {
    return m_window.findControl(controlId);
}

bool DialogDriver::select(int controlId, int index) {
    return acted(m_window.userSelect(controlId, index),
                 "select line " + std::to_string(index) + " in", controlId);
}

bool DialogDriver::type(int controlId, const std::string& newText) {
    return acted(m_window.userType(controlId, newText), "type in", controlId);
}

bool DialogDriver::click(int controlId) {
    return acted(m_window.userClick(controlId), "click", controlId);
}

bool DialogDriver::focusOn(int controlId) {
    return acted(m_window.userFocus(controlId), "focus", controlId);
}

bool DialogDriver::pressEnter() {
    // Enter may rightly do nothing (a greyed default button); a window out of reach is a slip
    // of the script.
    if (!m_window.takesInput()) {
        return acted(false, "press Enter on", m_window.GetFocusId());
    }
    return m_window.userEnter();
}

bool DialogDriver::pressArrow(bool down) {
    return acted(m_window.userArrow(m_window.GetFocusId(), down ? 1 : -1), "press an arrow on",
                 m_window.GetFocusId());
}

bool DialogDriver::pressEscape() {
    return acted(m_window.userEscape(), "press Esc on", m_window.GetFocusId());
}

void DialogDriver::advance(unsigned milliseconds) {
    m_backend.advance(milliseconds);
}

void DialogDriver::pumpMessages() {
    m_backend.pumpMessages();
}

bool DialogDriver::acted(bool done, const std::string& action, int controlId) {
    if (done) {
        return true;
    }
    // Say why, so that a failing script is easy to mend.
    const ControlState* state = control(controlId);
    std::string why = "which takes no such action";
    if (!m_window.IsWindow() || ended()) {
        why = "of a window that has ended";
    } else if (!m_window.IsWindowEnabled() || !m_window.IsWindowVisible()) {
        why = "of a window that is disabled or hidden";
    } else if (state == nullptr) {
        why = "which the window does not have";
    } else if (!state->enabled) {
        why = "which is greyed";
    }
    m_backend.problem(action + " control " + std::to_string(controlId) + ", " + why);
    return false;
}
