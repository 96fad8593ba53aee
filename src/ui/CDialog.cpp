#include "ui/CDialog.h"

#include "res/Resources.h"
#include "ui/CDataExchange.h"
#include "ui/UiBackend.h"
#include "ui/UiConstants.h"

CDialog::CDialog(int templateId)
    : m_templateId(templateId), m_template(findDialogTemplate(templateId)) {}

CDialog::CDialog(const DialogTemplate& from) : m_templateId(from.id), m_template(&from) {}

int CDialog::DoModal() {
    if (IsWindow()) {
        return -1; // already running: a dialog object has one window at a time
    }
    return currentBackend().runModal(*this);
}

void CDialog::EndDialog(int result) {
    if (!IsWindow() || m_ended) {
        return;
    }
    m_ended = true;
    m_result = result;
    currentBackend().endModal(*this, result);
}

bool CDialog::createWindow() {
    if (m_template == nullptr || IsWindow()) {
        return false;
    }
    m_ended = false;
    m_result = 0;
    createControls(*m_template);
    CDataExchange exchange(*this);
    DoDataExchange(&exchange);
    if (OnInitDialog() != 0) {
        focusFirstTabStop();
    }
    return true;
}

void CDialog::closeWindow() {
    destroyWindow();
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
