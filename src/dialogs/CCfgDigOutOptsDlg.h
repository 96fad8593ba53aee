#pragma once

#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"

#include <cstdint>

// Sets the default output (0 or 1) of one digital output channel.
class CCfgDigOutOptsDlg : public CDialog {
public:
    CCfgDigOutOptsDlg();

    void SetData(int panel, int channel, int32_t defaultOutput);
    int32_t GetData() const { return m_defaultOutput; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    int m_panel = 0;
    int m_channel = 0;
    int32_t m_defaultOutput = 0;
    CButton m_group;
    CComboBox m_value;
};
