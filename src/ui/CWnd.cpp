#include "ui/CWnd.h"

#include "res/HelpTopics.h"
#include "ui/CControl.h"
#include "ui/CTreeCtrl.h"
#include "ui/CWinApp.h"
#include "ui/MessageBox.h"
#include "ui/UiBackend.h"
#include "ui/UiConstants.h"
#include "ui/WindowPeer.h"

#include <algorithm>

namespace {

// Windows running a modal loop, innermost last.
std::vector<CWnd*>& modalWindows() {
    static std::vector<CWnd*> windows;
    return windows;
}

CWnd* theMainWindow = nullptr;

} // namespace

CWnd::~CWnd() {
    // The handlers belong to a derived class that is already gone, so no WM_DESTROY here; the
    // windows inside this one go first, as they do when it is destroyed.
    if (m_created) {
        destroyChildren();
        release();
    }
    std::erase(modalWindows(), this);
    if (theMainWindow == this) {
        theMainWindow = nullptr;
    }
}

bool CWnd::Create(CWnd& parent, int controlId) {
    if (!parent.IsWindow()) {
        return false;
    }
    m_controlId = controlId;
    return createWindow(WindowKind::Child, &parent, nullptr);
}

void CWnd::DestroyWindow() {
    if (!m_created) {
        return;
    }
    if (m_inModalLoop) {
        // The loop is still on the stack: it ends now, and whoever runs it destroys the window.
        EndModalLoop(IDCANCEL);
        return;
    }
    destroyChildren();
    dispatchMessage(WM_DESTROY, 0, 0);
    release();
    m_created = false;
    m_controls.clear();
    m_focusId = 0;
    m_visible = false;
    m_enabled = true;
    m_peer = nullptr;
}

void CWnd::SetWindowText(const std::string& text) {
    m_title = text;
    if (m_peer != nullptr) {
        m_peer->titleChanged();
    }
}

bool CWnd::ShowWindow(int command) {
    const bool wasVisible = m_visible;
    const bool visible = command != SW_HIDE;
    if (m_created && visible != m_visible) {
        m_visible = visible;
        if (m_peer != nullptr) {
            m_peer->visibilityChanged();
        }
    }
    return wasVisible;
}

bool CWnd::EnableWindow(bool enable) {
    const bool wasDisabled = !m_enabled;
    if (m_created && enable != m_enabled) {
        m_enabled = enable;
        if (m_peer != nullptr) {
            m_peer->enabledChanged();
        }
    }
    return wasDisabled;
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

int CWnd::RunModalLoop() {
    if (!m_created || m_inModalLoop) {
        return -1;
    }
    m_modalEnded = false;
    m_modalResult = 0;
    // The backend shows the window as it starts the loop, so that it opens modal.
    m_visible = true;
    m_inModalLoop = true;
    modalWindows().push_back(this);
    const bool ran = currentBackend().runModalLoop(*this);
    std::erase(modalWindows(), this);
    m_inModalLoop = false;
    return ran ? m_modalResult : -1;
}

void CWnd::EndModalLoop(int result) {
    if (!m_created || m_modalEnded) {
        return;
    }
    m_modalEnded = true;
    m_modalResult = result;
    if (m_inModalLoop) {
        currentBackend().endModalLoop(*this);
    }
}

CWnd* CWnd::GetActiveWindow() {
    return modalWindows().empty() ? theMainWindow : modalWindows().back();
}

CWnd* CWnd::mainWindow() {
    return theMainWindow;
}

void CWnd::setMainWindow(CWnd* window) {
    theMainWindow = window;
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

bool CWnd::createWindow(WindowKind kind, CWnd* parent, const DialogTemplate* from) {
    if (m_created) {
        return false;
    }
    m_kind = kind;
    m_parent = parent;
    m_controls.clear();
    if (from != nullptr) {
        for (const ControlTemplate& control : from->controls) {
            m_controls.push_back(std::make_unique<ControlState>(control));
        }
    }
    m_template = from;
    m_title = from != nullptr ? from->caption : "";
    m_focusId = 0;
    m_created = true;
    // A view shows with its parent; a top-level window once it is asked to.
    m_visible = kind == WindowKind::Child;
    m_enabled = true;
    m_modalEnded = false;
    m_modalResult = 0;
    if (m_parent != nullptr) {
        m_parent->m_children.push_back(this);
    }
    currentBackend().createPeer(*this);
    return true;
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

bool CWnd::userFocus(int controlId) {
    if (usableControl(controlId) == nullptr) {
        return false;
    }
    m_focusId = controlId;
    return true;
}

bool CWnd::userSelect(int controlId, int index) {
    ControlState* control = usableControl(controlId);
    if (control == nullptr ||
        (control->kind != ControlKind::ComboBox && control->kind != ControlKind::ListBox) ||
        index < 0 || static_cast<size_t>(index) >= control->items.size()) {
        return false;
    }
    userFocus(controlId);
    control->setSelection(index);
    if (control->kind == ControlKind::ComboBox) {
        notify(controlId, CBN_SELCHANGE);
    } else if ((control->style & StyleNotify) != 0) {
        notify(controlId, LBN_SELCHANGE);
    }
    return true;
}

bool CWnd::userType(int controlId, const std::string& text) {
    ControlState* control = usableControl(controlId);
    if (control == nullptr || control->kind != ControlKind::Edit ||
        (control->style & StyleReadOnly) != 0) {
        return false;
    }
    userFocus(controlId);
    control->text = text;
    notify(controlId, EN_UPDATE);
    notify(controlId, EN_CHANGE);
    return true;
}

bool CWnd::userClick(int controlId) {
    const ControlState* control = usableControl(controlId);
    if (control == nullptr ||
        (control->kind != ControlKind::Button && control->kind != ControlKind::RadioButton)) {
        return false;
    }
    userFocus(controlId);
    if (control->kind == ControlKind::RadioButton) {
        userCheckRadio(controlId);
    }
    notify(controlId, BN_CLICKED);
    return true;
}

bool CWnd::userEnter() {
    if (!takesInput()) {
        return false;
    }
    const ControlState* focused = usableControl(m_focusId);
    if (focused != nullptr && focused->kind == ControlKind::Edit &&
        (focused->style & StyleWantReturn) != 0) {
        return userType(focused->id, focused->text + "\r\n");
    }
    // A focused push button is the one Enter presses, default or not.
    if (focused != nullptr && focused->kind == ControlKind::Button) {
        notify(focused->id, BN_CLICKED);
        return true;
    }
    for (const auto& control : m_controls) {
        if (control->kind == ControlKind::Button && (control->style & StyleDefault) != 0) {
            // A greyed default button makes Enter do nothing.
            if (control->enabled) {
                notify(control->id, BN_CLICKED);
            }
            return control->enabled;
        }
    }
    notify(IDOK, BN_CLICKED);
    return true;
}

bool CWnd::userEscape() {
    if (!takesInput()) {
        return false;
    }
    notify(IDCANCEL, BN_CLICKED);
    return true;
}

bool CWnd::userHelp() {
    CWinApp* app = AfxGetApp();
    if (!takesInput() || app == nullptr || app->helpFile().empty()) {
        return false;
    }
    app->WinHelp(helpContext());
    return true;
}

int CWnd::helpContext() const {
    if (m_kind == WindowKind::Child) {
        return HID_BASE_CONTROL + m_controlId;
    }
    return m_template != nullptr ? HID_BASE_RESOURCE + m_template->id : 0;
}

bool CWnd::takesInput() const {
    return m_created && m_enabled && m_visible && !m_modalEnded;
}

ControlState* CWnd::usableControl(int controlId) {
    ControlState* control = takesInput() ? findControl(controlId) : nullptr;
    return control != nullptr && control->enabled ? control : nullptr;
}

void CWnd::addTree(CTreeCtrl& tree) {
    m_trees.push_back(&tree);
    if (m_peer != nullptr) {
        m_peer->treeAdded(tree);
    }
}

void CWnd::removeTree(CTreeCtrl& tree) {
    if (m_peer != nullptr) {
        m_peer->treeRemoved(tree);
    }
    std::erase(m_trees, &tree);
}

void CWnd::destroyChildren() {
    const std::vector<CWnd*> children = m_children;
    for (CWnd* child : children) {
        child->DestroyWindow();
    }
}

void CWnd::release() {
    currentBackend().windowDestroyed(*this);
    for (CTreeCtrl* tree : m_trees) {
        tree->leaveHost();
    }
    m_trees.clear();
    if (m_parent != nullptr) {
        std::erase(m_parent->m_children, this);
        m_parent = nullptr;
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
