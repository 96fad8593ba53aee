#pragma once

#include "ui/CComboBox.h"
#include "ui/CDialog.h"

#include <cstdint>

// Chooses how the unit scans its analog channels: continuously or by the user-defined list.
class CCfgScanModeDlg : public CDialog {
public:
    CCfgScanModeDlg();

    void SetData(uint16_t scanMode) { m_scanMode = scanMode; }
    uint16_t GetData() const { return m_scanMode; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    uint16_t m_scanMode = 0;
    CComboBox m_list;
};
