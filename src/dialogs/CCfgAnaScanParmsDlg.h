#pragma once

#include "device/ScanParameters.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"

// Edits the user-defined analog scan: interval, count and the list of channel IDs.
class CCfgAnaScanParmsDlg : public CDialog {
public:
    static constexpr const char* intervalMessage =
        "Invalid Scan Rate\n\nPlease enter a value in the range of 0 (0x0000) to 65535 (0xFFFF)";
    static constexpr const char* countMessage =
        "Invalid Scan Count\n\nPlease enter a value in the range of 0 (0x0000) to 65535 (0xFFFF)";

    CCfgAnaScanParmsDlg();

    void SetData(const ScanParameters& parameters, int hexDisplay);
    ScanParameters GetData() const { return m_parameters; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    ScanParameters m_parameters;
    bool m_hexDisplay = false;
    CEdit m_interval;
    CEdit m_count;
    CEdit m_list;
};
