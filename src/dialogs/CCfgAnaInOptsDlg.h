#pragma once

#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"

#include <cstdint>

// Sets the average weight of one analog input channel, as the index n of weight 2^n.
class CCfgAnaInOptsDlg : public CDialog {
public:
    CCfgAnaInOptsDlg();

    void SetData(int panel, int channel, uint16_t weightIndex, int hexDisplay);
    uint16_t GetData() const { return m_weightIndex; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    int m_panel = 0;
    int m_channel = 0;
    uint16_t m_weightIndex = 0;
    bool m_hexDisplay = false;
    CButton m_group;
    CComboBox m_weight;
};
