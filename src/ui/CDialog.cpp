#include "ui/CDialog.h"

#include "res/Resources.h"
#include "ui/CDataExchange.h"
#include "ui/UiConstants.h"

CDialog::CDialog(int templateId, CWnd* parent)
    : m_templateId(templateId), m_template(findDialogTemplate(templateId)), m_parentWnd(parent) {}

CDialog::CDialog(const DialogTemplate& from, CWnd* parent)
    : m_templateId(from.id), m_template(&from), m_parentWnd(parent) {}

int CDialog::DoModal() {
    CWnd* owner = m_parentWnd != nullptr ? m_parentWnd : GetActiveWindow();
    if (!createWindow(owner)) {
        return -1; // no template, or already running: one window at a time
    }
    // The owner takes no input while its dialog runs.
    const bool ownerDisabled =
        owner != nullptr && owner != this && owner->IsWindow() && !owner->EnableWindow(false);
    const int result = modalEnded() ? modalResult() : RunModalLoop();
    if (ownerDisabled) {
        owner->EnableWindow(true);
    }
    DestroyWindow();
    return result;
}

bool CDialog::Create(CWnd* parent) {
    if (!createWindow(parent != nullptr ? parent : m_parentWnd)) {
        return false;
    }
    ShowWindow(SW_SHOW);
    return true;
}

void CDialog::EndDialog(int result) {
    if (!IsWindow() || modalEnded()) {
        return;
    }
    EndModalLoop(result);
    ShowWindow(SW_HIDE);
}

bool CDialog::createWindow(CWnd* owner) {
    if (m_template == nullptr || !CWnd::createWindow(WindowKind::Dialog, owner, m_template)) {
        return false;
    }
    CDataExchange exchange(*this);
    DoDataExchange(&exchange);
    if (OnInitDialog() != 0) {
        focusFirstTabStop();
    }
    return true;
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

int CDialog::OnInitDialog() {
    return 1;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

long CDialog::defaultNotify(int controlId, int code) {
    if (code == BN_CLICKED && controlId == IDOK) {
        OnOK();
    } else if (code == BN_CLICKED && controlId == IDCANCEL) {
        OnCancel();
    }
    return 0;
}
