#include "quickview/CEditPopupDlg.h"

#include "dialogs/NumberParsers.h"
#include "quickview/CChanQuickViewDlg.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

CEditPopupDlg::CEditPopupDlg() : CDialog(IDD_EDIT_POPUP) {
    onCommand(IDC_POPUP_EDIT, EN_UPDATE, [this] { OnEditUpdate(); });
    onCommand(IDC_POPUP_OK, BN_CLICKED, [this] { OnOK(); });
    onCommand(IDC_POPUP_CANCEL, BN_CLICKED, [this] { OnCancel(); });
}

void CEditPopupDlg::SetContext(CChanQuickViewDlg* owner, const std::string& title) {
    m_owner = owner;
    m_title = title.substr(0, maxTitle);
}

void CEditPopupDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_POPUP_EDIT, m_edit);
    DDX_Control(pDX, IDC_POPUP_OK, m_okButton);
}

int CEditPopupDlg::OnInitDialog() {
    const int result = CDialog::OnInitDialog();
    SetWindowText(m_title);
    return result;
}

void CEditPopupDlg::OnEditUpdate() {
    m_okButton.EnableWindow(!m_edit.GetWindowText().empty());
}

void CEditPopupDlg::OnOK() {
    uint16_t value = 0;
    if (ParseUInt16(m_edit.GetWindowText(), value) != ParseOk) {
        AfxMessageBox(invalidValueMessage, MB_OK | MB_ICONWARNING);
        return;
    }
    if (m_owner != nullptr) {
        m_owner->SetOutputValue(value);
    }
    CDialog::OnOK();
}
