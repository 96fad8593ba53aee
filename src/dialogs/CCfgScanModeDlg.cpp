#include "dialogs/CCfgScanModeDlg.h"

#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"

CCfgScanModeDlg::CCfgScanModeDlg() : CDialog(IDD_CFG_SCAN_MODE) {}

void CCfgScanModeDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SCAN_MODE, m_list);
}

int CCfgScanModeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillChoiceList(m_list, ChoiceTexts::scanMode, m_scanMode);
    return 1;
}

void CCfgScanModeDlg::OnOK() {
    m_scanMode = SelectedPosition(m_list);
    CDialog::OnOK();
}
