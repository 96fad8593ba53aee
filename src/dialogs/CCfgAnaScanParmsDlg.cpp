#include "dialogs/CCfgAnaScanParmsDlg.h"

#include "dialogs/DisplayNumber.h"
#include "dialogs/FieldCheck.h"
#include "dialogs/ScanListText.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"

CCfgAnaScanParmsDlg::CCfgAnaScanParmsDlg() : CDialog(IDD_CFG_ANA_SCAN_PARMS) {}

void CCfgAnaScanParmsDlg::SetData(const ScanParameters& parameters, int hexDisplay) {
    m_parameters = parameters;
    m_hexDisplay = hexDisplay != 0;
}

void CCfgAnaScanParmsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SCAN_INTERVAL, m_interval);
    DDX_Control(pDX, IDC_SCAN_COUNT, m_count);
    DDX_Control(pDX, IDC_SCAN_LIST, m_list);
}

int CCfgAnaScanParmsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_interval.SetWindowText(DisplayUInt16(m_parameters.scanIntervalMs, m_hexDisplay));
    m_count.SetWindowText(DisplayUInt16(m_parameters.scanCount, m_hexDisplay));
    m_list.SetWindowText(ScanListText::format(m_parameters, m_hexDisplay));
    return 1;
}

void CCfgAnaScanParmsDlg::OnOK() {
    FieldCheck check(*this);
    check.readUInt16(m_interval, m_parameters.scanIntervalMs, intervalMessage);
    check.readUInt16(m_count, m_parameters.scanCount, countMessage);
    if (check.passed()) {
        const ScanListText::Result list = ScanListText::parse(m_list.GetWindowText(), m_parameters);
        check.require(list.kind == ScanListText::Result::Accepted, m_list,
                      ScanListText::message(list));
    }
    if (check.passed()) {
        CDialog::OnOK();
    }
}
