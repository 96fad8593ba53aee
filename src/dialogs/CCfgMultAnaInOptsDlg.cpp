#include "dialogs/CCfgMultAnaInOptsDlg.h"

#include "device/ChannelState.h"
#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"

CCfgMultAnaInOptsDlg::CCfgMultAnaInOptsDlg() : CDialog(IDD_CFG_MULT_ANA_IN_OPTS) {}

void CCfgMultAnaInOptsDlg::SetData(int panel, const PanelValues<uint16_t>& weightIndexes,
                                   const PanelValues<int16_t>& states, int hexDisplay) {
    m_panel = panel;
    m_weightIndexes = weightIndexes;
    m_states = states;
    m_hexDisplay = hexDisplay != 0;
}

void CCfgMultAnaInOptsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_MULT_ANA_IN_GROUP, m_group);
    m_lists.bind(pDX, idcMultAnaInList, idcMultAnaInLabel);
}

int CCfgMultAnaInOptsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(AnalogPanelCaption(m_panel));
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        if (m_states[channel] == ChannelState::input) {
            FillChoiceList(m_lists[channel], ChoiceTexts::averageWeights(m_hexDisplay),
                           m_weightIndexes[channel]);
        } else {
            FillChoiceList(m_lists[channel], ChoiceTexts::notApplicable, 0);
        }
    }
    m_lists.enableByState(m_states, ChannelState::input);
    return 1;
}

void CCfgMultAnaInOptsDlg::OnOK() {
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        m_weightIndexes[channel] = SelectedPosition(m_lists[channel]);
    }
    CDialog::OnOK();
}
