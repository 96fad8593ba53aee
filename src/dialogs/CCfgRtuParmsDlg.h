#pragma once

#include "device/RtuConfig.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"

// Edits the unit's serial Modbus RTU interface. Only the upper four bits of the slave ID are
// the unit's to set by Modbus; the lower four come back as 0.
class CCfgRtuParmsDlg : public CDialog {
public:
    CCfgRtuParmsDlg();

    void SetData(const RtuConfig& config) { m_config = config; }
    RtuConfig GetData() const { return m_config; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    RtuConfig m_config;
    CComboBox m_serialInterface;
    CComboBox m_baudRate;
    CComboBox m_parity;
    CComboBox m_slaveIdHigh;
};
