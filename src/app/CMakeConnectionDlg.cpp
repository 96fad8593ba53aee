#include "app/CMakeConnectionDlg.h"

#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "dialogs/DisplayNumber.h"
#include "dialogs/FieldCheck.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"
#include "ui/UiConstants.h"

#include <string>

namespace {

// Modbus leaves addresses above 247 reserved, and 0 is the broadcast address.
constexpr uint8_t kLastSlaveId = 247;

// Greyed together when the other protocol is chosen.
constexpr int kRtuControls[] = {
    IDC_CONN_RTU_GROUP,      IDC_CONN_COM_PORT_LABEL, IDC_CONN_COM_PORT,
    IDC_CONN_SLAVE_ID_LABEL, IDC_CONN_SLAVE_ID,       IDC_CONN_BAUD_RATE_LABEL,
    IDC_CONN_BAUD_RATE,      IDC_CONN_PARITY_LABEL,   IDC_CONN_PARITY,
};
constexpr int kTcpControls[] = {
    IDC_CONN_TCP_GROUP,      IDC_CONN_SERVER_LABEL, IDC_CONN_SERVER,
    IDC_CONN_TCP_PORT_LABEL, IDC_CONN_TCP_PORT,
};

} // namespace

CMakeConnectionDlg::CMakeConnectionDlg() : CDialog(IDD_MAKE_CONNECTION) {
    m_options.server.clear();
    onCommand(IDC_CONN_PROTOCOL, CBN_SELCHANGE, [this] { enableForProtocol(); });
    onCommand(IDC_CONN_OK, BN_CLICKED, [this] { accept(false); });
}

void CMakeConnectionDlg::SetData(const ConnectOptions& options, int hexDisplay) {
    m_options = options;
    m_hexDisplay = hexDisplay != 0;
    m_connectAfterClosing = true;
}

void CMakeConnectionDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_CONN_PROTOCOL, m_protocol);
    DDX_Control(pDX, IDC_CONN_COM_PORT, m_comPort);
    DDX_Control(pDX, IDC_CONN_SLAVE_ID, m_slaveId);
    DDX_Control(pDX, IDC_CONN_BAUD_RATE, m_baudRate);
    DDX_Control(pDX, IDC_CONN_PARITY, m_parity);
    DDX_Control(pDX, IDC_CONN_SERVER, m_server);
    DDX_Control(pDX, IDC_CONN_TCP_PORT, m_tcpPort);
}

int CMakeConnectionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillChoiceList(m_protocol, ChoiceTexts::protocol, m_options.protocol);
    FillChoiceList(m_baudRate, ChoiceTexts::baudRate, m_options.baudIndex);
    FillChoiceList(m_parity, ChoiceTexts::parity, m_options.parityIndex);
    m_comPort.SetWindowText(std::to_string(m_options.comPort));
    m_slaveId.SetWindowText(DisplayUInt8(m_options.slaveId, m_hexDisplay));
    m_server.SetWindowText(m_options.server);
    m_tcpPort.SetWindowText(std::to_string(m_options.tcpPort));
    enableForProtocol();
    return 1;
}

void CMakeConnectionDlg::enableForProtocol() {
    const int selected = m_protocol.GetCurSel();
    if (selected < 0) {
        return;
    }
    const bool rtu = selected == ConnectOptions::modbusRtu;
    for (const int id : kRtuControls) {
        GetDlgItem(id).EnableWindow(rtu);
    }
    for (const int id : kTcpControls) {
        GetDlgItem(id).EnableWindow(!rtu);
    }
}

void CMakeConnectionDlg::OnOK() {
    accept(true);
}

void CMakeConnectionDlg::accept(bool connect) {
    // Edited on a copy, so that a refused entry leaves nothing half taken over: a port that
    // parsed before the slave ID was refused must not ride along when the user then switches
    // to Modbus TCP and accepts.
    ConnectOptions edited = m_options;
    edited.protocol = SelectedPosition(m_protocol);
    FieldCheck check(*this);
    if (edited.protocol == ConnectOptions::modbusRtu) {
        check.readUInt8(m_comPort, edited.comPort, comPortMessage);
        check.require(edited.comPort != 0, m_comPort, comPortMessage);
        check.readUInt8(m_slaveId, edited.slaveId, slaveIdMessage);
        check.require(edited.slaveId != 0 && edited.slaveId <= kLastSlaveId, m_slaveId,
                      slaveIdMessage);
        edited.baudIndex = SelectedPosition(m_baudRate);
        edited.parityIndex = SelectedPosition(m_parity);
    } else {
        // Only emptiness is refused: the name is resolved when connecting.
        const std::string server = m_server.GetWindowText();
        check.require(!server.empty(), m_server, serverMessage);
        edited.server = server;
        check.readUInt16(m_tcpPort, edited.tcpPort, tcpPortMessage);
        check.require(edited.tcpPort != 0, m_tcpPort, tcpPortMessage);
    }
    if (!check.passed()) {
        return;
    }
    m_options = edited;
    m_connectAfterClosing = connect;
    CDialog::OnOK();
}
