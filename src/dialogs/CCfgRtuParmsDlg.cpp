#include "dialogs/CCfgRtuParmsDlg.h"

#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"

namespace {

constexpr int kNibbleShift = 4;

} // namespace

CCfgRtuParmsDlg::CCfgRtuParmsDlg() : CDialog(IDD_CFG_RTU_PARMS) {}

void CCfgRtuParmsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_RTU_SERIAL_INTERFACE, m_serialInterface);
    DDX_Control(pDX, IDC_RTU_BAUD_RATE, m_baudRate);
    DDX_Control(pDX, IDC_RTU_PARITY, m_parity);
    DDX_Control(pDX, IDC_RTU_SLAVE_ID_HIGH, m_slaveIdHigh);
}

int CCfgRtuParmsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillChoiceList(m_serialInterface, ChoiceTexts::serialInterface, m_config.serialInterface);
    FillChoiceList(m_baudRate, ChoiceTexts::baudRate, m_config.baudIndex);
    FillChoiceList(m_parity, ChoiceTexts::parity, m_config.parityIndex);
    FillChoiceList(m_slaveIdHigh, ChoiceTexts::slaveIdHigh, m_config.slaveIdHigh >> kNibbleShift);
    return 1;
}

void CCfgRtuParmsDlg::OnOK() {
    m_config.slaveIdHigh = static_cast<uint8_t>(SelectedPosition(m_slaveIdHigh) << kNibbleShift);
    m_config.serialInterface = SelectedPosition(m_serialInterface);
    m_config.baudIndex = SelectedPosition(m_baudRate);
    m_config.parityIndex = SelectedPosition(m_parity);
    CDialog::OnOK();
}
