#pragma once

#include "dialogs/ChannelFields.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"

// Sets the average weights of all input channels of one analog panel at once. Channels that
// are not inputs show "N/A", greyed, and return index 0.
class CCfgMultAnaInOptsDlg : public CDialog {
public:
    CCfgMultAnaInOptsDlg();

    void SetData(int panel, const PanelValues<uint16_t>& weightIndexes,
                 const PanelValues<int16_t>& states, int hexDisplay);
    PanelValues<uint16_t> GetData() const { return m_weightIndexes; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    int m_panel = 0;
    PanelValues<uint16_t> m_weightIndexes{};
    PanelValues<int16_t> m_states{};
    bool m_hexDisplay = false;
    CButton m_group;
    ChannelFields<CComboBox> m_lists;
};
