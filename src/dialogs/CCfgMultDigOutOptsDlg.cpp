#include "dialogs/CCfgMultDigOutOptsDlg.h"

#include "device/ChannelState.h"
#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"

CCfgMultDigOutOptsDlg::CCfgMultDigOutOptsDlg() : CDialog(IDD_CFG_MULT_DIG_OUT_OPTS) {}

void CCfgMultDigOutOptsDlg::SetData(int panel, const PanelValues<int32_t>& defaultOutputs,
                                    const PanelValues<int16_t>& states) {
    m_panel = panel;
    m_defaultOutputs = defaultOutputs;
    m_states = states;
}

void CCfgMultDigOutOptsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_MULT_DIG_OUT_GROUP, m_group);
    m_lists.bind(pDX, idcMultDigOutList, idcMultDigOutLabel);
}

int CCfgMultDigOutOptsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(DigitalPanelCaption(m_panel));
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        FillChoiceList(m_lists[channel], ChoiceTexts::digitalOutput,
                       static_cast<uint32_t>(m_defaultOutputs[channel]));
    }
    m_lists.enableByState(m_states, ChannelState::output);
    return 1;
}

void CCfgMultDigOutOptsDlg::OnOK() {
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        m_defaultOutputs[channel] = SelectedPosition(m_lists[channel]);
    }
    CDialog::OnOK();
}
