#include "dialogs/CCfgDigOutOptsDlg.h"

#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"

CCfgDigOutOptsDlg::CCfgDigOutOptsDlg() : CDialog(IDD_CFG_DIG_OUT_OPTS) {}

void CCfgDigOutOptsDlg::SetData(int panel, int channel, int32_t defaultOutput) {
    m_panel = panel;
    m_channel = channel;
    m_defaultOutput = defaultOutput;
}

void CCfgDigOutOptsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_DIG_OUT_GROUP, m_group);
    DDX_Control(pDX, IDC_DIG_OUT_DEFAULT_OUTPUT, m_value);
}

int CCfgDigOutOptsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(ChannelCaption(m_panel, m_channel));
    FillChoiceList(m_value, ChoiceTexts::digitalOutput, static_cast<uint32_t>(m_defaultOutput));
    return 1;
}

void CCfgDigOutOptsDlg::OnOK() {
    m_defaultOutput = SelectedPosition(m_value);
    CDialog::OnOK();
}
