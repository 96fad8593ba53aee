#include "dialogs/CCfgMultAnaOutOptsDlg.h"

#include "device/ChannelState.h"
#include "dialogs/DisplayNumber.h"
#include "dialogs/FieldCheck.h"
#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"

CCfgMultAnaOutOptsDlg::CCfgMultAnaOutOptsDlg() : CDialog(IDD_CFG_MULT_ANA_OUT_OPTS) {}

std::string CCfgMultAnaOutOptsDlg::defaultOutputMessage(int channel) {
    return "Invalid Default Output for Channel " + std::to_string(channel) +
           "\n\nPlease enter a value in the range of -32768 (0x8000) to 32767 (0x7FFF)";
}

void CCfgMultAnaOutOptsDlg::SetData(int panel, const PanelValues<int16_t>& defaultOutputs,
                                    const PanelValues<int16_t>& states, int hexDisplay) {
    m_panel = panel;
    m_defaultOutputs = defaultOutputs;
    m_states = states;
    m_hexDisplay = hexDisplay != 0;
}

void CCfgMultAnaOutOptsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_MULT_ANA_OUT_GROUP, m_group);
    m_fields.bind(pDX, idcMultAnaOutEdit, idcMultAnaOutLabel);
}

int CCfgMultAnaOutOptsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(AnalogPanelCaption(m_panel));
    for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
        m_fields[channel].SetWindowText(
            m_states[channel] == ChannelState::output
                ? DisplayInt16Short(m_defaultOutputs[channel], m_hexDisplay)
                : "N/A");
    }
    m_fields.enableByState(m_states, ChannelState::output);
    return 1;
}

void CCfgMultAnaOutOptsDlg::OnOK() {
    FieldCheck check(*this);
    for (int channel = 0; channel < PanelLayout::channelsPerPanel && check.passed(); ++channel) {
        if (m_fields[channel].IsWindowEnabled()) {
            check.readInt16(m_fields[channel], m_defaultOutputs[channel],
                            defaultOutputMessage(channel));
        } else {
            m_defaultOutputs[channel] = 0;
        }
    }
    if (check.passed()) {
        CDialog::OnOK();
    }
}
