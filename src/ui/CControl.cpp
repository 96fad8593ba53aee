#include "ui/CControl.h"

#include "ui/CWnd.h"

void CControl::attach(CWnd* owner, int controlId) {
    m_owner = owner;
    m_id = controlId;
}

bool CControl::EnableWindow(bool enable) {
    ControlState* control = state();
    if (control == nullptr) {
        return false;
    }
    const bool wasDisabled = !control->enabled;
    if (control->enabled != enable) {
        control->enabled = enable;
        control->changed(StateChange::Enabled);
    }
    return wasDisabled;
}

bool CControl::IsWindowEnabled() const {
    const ControlState* control = state();
    return control != nullptr && control->enabled;
}

void CControl::SetWindowText(const std::string& text) {
    ControlState* control = state();
    if (control != nullptr && control->text != text) {
        control->text = text;
        control->changed(StateChange::Text);
    }
}

std::string CControl::GetWindowText() const {
    const ControlState* control = state();
    return control != nullptr ? control->text : std::string();
}

void CControl::SetFocus() {
    if (m_owner != nullptr) {
        m_owner->GotoDlgCtrl(*this);
    }
}

void CControl::Invalidate() {
    if (ControlState* control = state()) {
        control->changed(StateChange::Repaint);
    }
}

ControlState* CControl::state() const {
    return m_owner != nullptr ? m_owner->findControl(m_id) : nullptr;
}
