#include "dialogs/CChannelStatesDlg.h"

#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "res/ResourceIds.h"

CChannelStatesDlg::CChannelStatesDlg(int templateId, ChannelFields<CComboBox>::ControlIdOf listId)
    : CDialog(templateId), m_listId(listId) {}

void CChannelStatesDlg::SetData(int panel, const PanelValues<int16_t>& states) {
    m_panel = panel;
    m_states = states;
}

void CChannelStatesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_CHAN_STATES_GROUP, m_group);
    m_lists.bind(pDX, m_listId);
}

int CChannelStatesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(groupCaption(m_panel));
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        // The unknown code 0xFFFF is stored as -1; as a 16-bit code it preselects "Vacant".
        FillChoiceList(m_lists[channel], ChoiceTexts::channelState,
                       static_cast<uint16_t>(m_states[channel]));
        m_lists[channel].EnableWindow(isChannelFitted(m_panel, channel));
    }
    return 1;
}

void CChannelStatesDlg::OnOK() {
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        m_states[channel] = static_cast<int16_t>(SelectedPosition(m_lists[channel]));
    }
    CDialog::OnOK();
}
