#pragma once

#include "dialogs/ChannelFields.h"
#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"

#include <string>

// Sets the default outputs of all output channels of one analog panel at once. Channels that
// are not outputs show "N/A", greyed, and return 0.
class CCfgMultAnaOutOptsDlg : public CDialog {
public:
    CCfgMultAnaOutOptsDlg();

    // The "Data Error" text for a rejected channel.
    static std::string defaultOutputMessage(int channel);

    void SetData(int panel, const PanelValues<int16_t>& defaultOutputs,
                 const PanelValues<int16_t>& states, int hexDisplay);
    PanelValues<int16_t> GetData() const { return m_defaultOutputs; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    int m_panel = 0;
    PanelValues<int16_t> m_defaultOutputs{};
    PanelValues<int16_t> m_states{};
    bool m_hexDisplay = false;
    CButton m_group;
    ChannelFields<CEdit> m_fields;
};
