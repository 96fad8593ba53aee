#pragma once

#include "device/TcpConfig.h"
#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"

#include <array>

// Edits one of the unit's two Ethernet interfaces: address, mask, gateway and keepalive.
// The port and MAC address are read-only on the unit and pass through unchanged.
class CCfgTcpParmsDlg : public CDialog {
public:
    static constexpr const char* ipAddressMessage =
        "Invalid IP Address value!\n\nPlease enter a valid IP Address in the IP Address field.";
    static constexpr const char* subnetMaskMessage =
        "Invalid Subnet Mask value!\n\nPlease enter a valid IP Address in the Subnet Mask Field.";
    static constexpr const char* gatewayMessage =
        "Invalid Gateway value!\n\nPlease enter a valid IP Address in the Gateway field.";
    static constexpr const char* keepaliveMessage =
        "Invalid Keepalive Timeout value!\n\nPlease enter a value in the range of 0 (0x0000) to "
        "65535 (0xFFFF)";

    CCfgTcpParmsDlg();

    // secondary: the interface edited is the unit's second one.
    void SetData(const TcpConfig& config, bool secondary, int hexDisplay);
    TcpConfig GetData() const { return m_config; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    using OctetFields = std::array<CEdit, 4>;

    TcpConfig m_config;
    bool m_secondary = false;
    bool m_hexDisplay = false;
    CButton m_group;
    OctetFields m_ipAddress;
    OctetFields m_subnetMask;
    OctetFields m_gateway;
    CEdit m_keepalive;
};
