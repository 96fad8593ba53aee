#include "dialogs/CCfgTcpParmsDlg.h"

#include "dialogs/DisplayNumber.h"
#include "dialogs/FieldCheck.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"

namespace {

using Octets = std::array<uint8_t, 4>;
using OctetFields = std::array<CEdit, 4>;

void bindOctets(CDataExchange* pDX, int firstId, OctetFields& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        DDX_Control(pDX, firstId + static_cast<int>(i), fields[i]);
    }
}

// Octets are shown in decimal whatever the display setting: that is how addresses are read.
void showOctets(OctetFields& fields, const Octets& octets) {
    for (size_t i = 0; i < fields.size(); ++i) {
        fields[i].SetWindowText(DisplayUInt8(octets[i], false));
    }
}

// Each octet is judged on its own; the address as a whole is not.
void readOctets(FieldCheck& check, const OctetFields& fields, Octets& octets, const char* message) {
    for (size_t i = 0; i < fields.size(); ++i) {
        check.readUInt8(fields[i], octets[i], message);
    }
}

} // namespace

CCfgTcpParmsDlg::CCfgTcpParmsDlg() : CDialog(IDD_CFG_TCP_PARMS) {}

void CCfgTcpParmsDlg::SetData(const TcpConfig& config, bool secondary, int hexDisplay) {
    m_config = config;
    m_secondary = secondary;
    m_hexDisplay = hexDisplay != 0;
}

void CCfgTcpParmsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_TCP_GROUP, m_group);
    bindOctets(pDX, IDC_TCP_IP_ADDRESS_0, m_ipAddress);
    bindOctets(pDX, IDC_TCP_SUBNET_MASK_0, m_subnetMask);
    bindOctets(pDX, IDC_TCP_GATEWAY_0, m_gateway);
    DDX_Control(pDX, IDC_TCP_KEEPALIVE, m_keepalive);
}

int CCfgTcpParmsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_group.SetWindowText(m_secondary ? "Modbus TCP Parameters (Secondary)"
                                      : "Modbus TCP Parameters");
    showOctets(m_ipAddress, m_config.ipAddress);
    showOctets(m_subnetMask, m_config.subnetMask);
    showOctets(m_gateway, m_config.gateway);
    m_keepalive.SetWindowText(DisplayUInt16(m_config.keepaliveMs, m_hexDisplay));
    return 1;
}

void CCfgTcpParmsDlg::OnOK() {
    FieldCheck check(*this);
    readOctets(check, m_ipAddress, m_config.ipAddress, ipAddressMessage);
    readOctets(check, m_subnetMask, m_config.subnetMask, subnetMaskMessage);
    readOctets(check, m_gateway, m_config.gateway, gatewayMessage);
    check.readUInt16(m_keepalive, m_config.keepaliveMs, keepaliveMessage);
    if (check.passed()) {
        CDialog::OnOK();
    }
}
