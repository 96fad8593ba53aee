#include "dialogs/CCfgAnaOutOptsDlg.h"

#include "dialogs/DisplayNumber.h"
#include "dialogs/FieldCheck.h"
#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"

CCfgAnaOutOptsDlg::CCfgAnaOutOptsDlg() : CDialog(IDD_CFG_ANA_OUT_OPTS) {}

void CCfgAnaOutOptsDlg::SetData(int panel, int channel, int16_t defaultOutput, int hexDisplay) {
    m_panel = panel;
    m_channel = channel;
    m_defaultOutput = defaultOutput;
    m_hexDisplay = hexDisplay != 0;
}

void CCfgAnaOutOptsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_ANA_OUT_GROUP, m_group);
    DDX_Control(pDX, IDC_ANA_OUT_DEFAULT_OUTPUT, m_value);
}

int CCfgAnaOutOptsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(ChannelCaption(m_panel, m_channel));
    m_value.SetWindowText(DisplayInt16(m_defaultOutput, m_hexDisplay));
    return 1;
}

void CCfgAnaOutOptsDlg::OnOK() {
    FieldCheck check(*this);
    if (check.readInt16(m_value, m_defaultOutput, defaultOutputMessage)) {
        CDialog::OnOK();
    }
}
