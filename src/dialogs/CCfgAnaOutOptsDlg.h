#pragma once

#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"

#include <cstdint>

// Sets the default output of one analog output channel: the value the unit drives at start.
class CCfgAnaOutOptsDlg : public CDialog {
public:
    static constexpr const char* defaultOutputMessage =
        "Invalid Default Output\n\nPlease enter a value in the range of -32768 (0x8000) to "
        "32767 (0x7FFF)";

    CCfgAnaOutOptsDlg();

    void SetData(int panel, int channel, int16_t defaultOutput, int hexDisplay);
    int16_t GetData() const { return m_defaultOutput; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    int m_panel = 0;
    int m_channel = 0;
    int16_t m_defaultOutput = 0;
    bool m_hexDisplay = false;
    CButton m_group;
    CEdit m_value;
};
