#pragma once

#include "dialogs/ChannelFields.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"

// Sets the default outputs (0 or 1) of all output channels of one digital panel at once.
// Channels that are not outputs show their value greyed and return it unchanged.
class CCfgMultDigOutOptsDlg : public CDialog {
public:
    CCfgMultDigOutOptsDlg();

    void SetData(int panel, const PanelValues<int32_t>& defaultOutputs,
                 const PanelValues<int16_t>& states);
    PanelValues<int32_t> GetData() const { return m_defaultOutputs; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    int m_panel = 0;
    PanelValues<int32_t> m_defaultOutputs{};
    PanelValues<int16_t> m_states{};
    CButton m_group;
    ChannelFields<CComboBox> m_lists;
};
