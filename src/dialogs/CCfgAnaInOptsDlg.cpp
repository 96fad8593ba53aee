#include "dialogs/CCfgAnaInOptsDlg.h"

#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"

CCfgAnaInOptsDlg::CCfgAnaInOptsDlg() : CDialog(IDD_CFG_ANA_IN_OPTS) {}

void CCfgAnaInOptsDlg::SetData(int panel, int channel, uint16_t weightIndex, int hexDisplay) {
    m_panel = panel;
    m_channel = channel;
    m_weightIndex = weightIndex;
    m_hexDisplay = hexDisplay != 0;
}

void CCfgAnaInOptsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_ANA_IN_GROUP, m_group);
    DDX_Control(pDX, IDC_ANA_IN_AVERAGE_WEIGHT, m_weight);
}

int CCfgAnaInOptsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(ChannelCaption(m_panel, m_channel));
    FillChoiceList(m_weight, ChoiceTexts::averageWeights(m_hexDisplay), m_weightIndex);
    return 1;
}

void CCfgAnaInOptsDlg::OnOK() {
    m_weightIndex = SelectedPosition(m_weight);
    CDialog::OnOK();
}
