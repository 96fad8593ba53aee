#include "ui/CWnd.h"

#include "ui/CControl.h"
#include "ui/MessageBox.h"
#include "ui/UiBackend.h"
#include "ui/UiConstants.h"

CWnd::~CWnd() {
    // The handlers belong to a derived class that is already gone, so no WM_DESTROY here; the
    // backend only has to drop what it still holds for this window.
    if (m_created) {
        currentBackend().windowDestroyed(*this);
    }
}

void CWnd::SetWindowText(const std::string& text) {
    m_title = text;
    if (m_peer != nullptr) {
        m_peer->titleChanged();
    }
}

CControl CWnd::GetDlgItem(int controlId) {
    CControl control;
    control.attach(this, controlId);
    return control;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (auto& control : m_controls) {
        if (control->kind != ControlKind::RadioButton || control->id < firstId ||
            control->id > lastId) {
            continue;
        }
        const bool checked = control->id == checkId;
        if (control->checked != checked) {
            control->checked = checked;
            control->changed(StateChange::Checked);
        }
    }
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
    for (const auto& control : m_controls) {
        if (control->kind == ControlKind::RadioButton && control->id >= firstId &&
            control->id <= lastId && control->checked) {
            return control->id;
        }
    }
    return 0;
}

void CWnd::GotoDlgCtrl(const CControl& control) {
    if (control.owner() != this || findControl(control.GetDlgCtrlID()) == nullptr) {
        return;
    }
    m_focusId = control.GetDlgCtrlID();
    if (m_peer != nullptr) {
        m_peer->focusChanged(m_focusId);
    }
}

uintptr_t CWnd::SetTimer(uintptr_t timerId, unsigned elapseMs) {
    if (!m_created || timerId == 0) {
        return 0;
    }
    return currentBackend().setTimer(*this, timerId, elapseMs) ? timerId : 0;
}

bool CWnd::KillTimer(uintptr_t timerId) {
    return m_created && currentBackend().killTimer(*this, timerId);
}

bool CWnd::PostMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    return m_created && currentBackend().postMessage(*this, message, wParam, lParam);
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, unsigned style) {
    return ShowMessageBox(m_created ? this : nullptr, text, caption, style);
}

ControlState* CWnd::findControl(int id) {
    for (auto& control : m_controls) {
        if (control->id == id && id != IdStatic) {
            return control.get();
        }
    }
    return nullptr;
}

const ControlState* CWnd::findControl(int id) const {
    return const_cast<CWnd*>(this)->findControl(id);
}

long CWnd::notify(int controlId, int code) {
    for (const NotifyEntry& entry : m_notifyTable) {
        if (entry.controlId == controlId && entry.code == code) {
            return entry.handler();
        }
    }
    return defaultNotify(controlId, code);
}

void CWnd::dispatchMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    for (const MessageEntry& entry : m_messageTable) {
        if (entry.message == message) {
            entry.handler(wParam, lParam);
            return;
        }
    }
}

void CWnd::onCommand(int controlId, int code, CommandHandler handler) {
    m_notifyTable.push_back({controlId, code, [handler = std::move(handler)]() -> long {
                                 handler();
                                 return 0;
                             }});
}

void CWnd::onNotify(int controlId, int code, NotifyHandler handler) {
    m_notifyTable.push_back({controlId, code, std::move(handler)});
}

void CWnd::onMessage(unsigned message, MessageHandler handler) {
    m_messageTable.push_back({message, std::move(handler)});
}

long CWnd::defaultNotify(int /*controlId*/, int /*code*/) {
    return 0;
}

void CWnd::createControls(const DialogTemplate& from) {
    m_controls.clear();
    for (const ControlTemplate& control : from.controls) {
        m_controls.push_back(std::make_unique<ControlState>(control));
    }
    m_template = &from;
    m_title = from.caption;
    m_focusId = 0;
    m_created = true;
}

void CWnd::destroyWindow() {
    if (!m_created) {
        return;
    }
    dispatchMessage(WM_DESTROY, 0, 0);
    currentBackend().windowDestroyed(*this);
    m_created = false;
    m_controls.clear();
    m_focusId = 0;
    m_peer = nullptr;
}

void CWnd::focusFirstTabStop() {
    for (const auto& control : m_controls) {
        if (control->isTabStop()) {
            m_focusId = control->id;
            if (m_peer != nullptr) {
                m_peer->focusChanged(m_focusId);
            }
            return;
        }
    }
}

void CWnd::userCheckRadio(int controlId) {
    // The group is the run of radio buttons around this one, bounded by other controls and
    // by a button that starts a new group.
    size_t at = 0;
    while (at < m_controls.size() && m_controls[at]->id != controlId) {
        ++at;
    }
    if (at == m_controls.size() || m_controls[at]->kind != ControlKind::RadioButton) {
        return;
    }
    size_t first = at;
    while (first > 0 && (m_controls[first]->style & StyleGroup) == 0 &&
           m_controls[first - 1]->kind == ControlKind::RadioButton) {
        --first;
    }
    for (size_t i = first; i < m_controls.size(); ++i) {
        ControlState& member = *m_controls[i];
        if (member.kind != ControlKind::RadioButton ||
            (i > first && (member.style & StyleGroup) != 0)) {
            break;
        }
        const bool checked = i == at;
        if (member.checked != checked) {
            member.checked = checked;
            member.changed(StateChange::Checked);
        }
    }
}
