#include "app/CMakeConnectionDlg.h"

#include "dialogs/ChoiceList.h"
#include "dialogs/ChoiceTexts.h"
#include "dialogs/DisplayNumber.h"
#include "dialogs/FieldCheck.h"
#include "dialogs/NumberParsers.h"
#include "modbus/ComPortName.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"
#include "ui/UiConstants.h"

#include <filesystem>
#include <string>

namespace {

// Modbus leaves addresses above 247 reserved, and 0 is the broadcast address.
constexpr uint8_t kLastSlaveId = 247;

// Greyed together when the other protocol is chosen.
constexpr int kRtuControls[] = {
    IDC_CONN_RTU_GROUP, IDC_CONN_COM_PORT_LABEL,  IDC_CONN_COM_PORT,  IDC_CONN_SLAVE_ID_LABEL,
    IDC_CONN_SLAVE_ID,  IDC_CONN_BAUD_RATE_LABEL, IDC_CONN_BAUD_RATE, IDC_CONN_PARITY_LABEL,
    IDC_CONN_PARITY,    IDC_CONN_DEVICE_LABEL,    IDC_CONN_DEVICE,    IDC_CONN_USE_DEVICE,
};
constexpr int kTcpControls[] = {
    IDC_CONN_TCP_GROUP,      IDC_CONN_SERVER_LABEL, IDC_CONN_SERVER,
    IDC_CONN_TCP_PORT_LABEL, IDC_CONN_TCP_PORT,
};

std::filesystem::path resolved(const std::string& path) {
    std::error_code missing;
    return std::filesystem::canonical(path, missing);
}

// The device the COM number reaches through its alias or as /dev/ttyS<n-1>; empty for none.
std::filesystem::path reachedBy(int comPort) {
    return comPort > 0 ? resolved(comPortDevicePath("COM" + std::to_string(comPort)))
                       : std::filesystem::path();
}

std::string deviceText(const SerialDeviceList::Device& device) {
    const std::string name = std::filesystem::path(device.path).filename().string();
    return device.product.empty() ? name : name + "  " + device.product;
}

} // namespace

CMakeConnectionDlg::CMakeConnectionDlg() : CDialog(IDD_MAKE_CONNECTION) {
    m_options.server.clear();
    // Only names and aliases are shown here: no need to look through every process's files.
    m_roots.proc.clear();
    onCommand(IDC_CONN_PROTOCOL, CBN_SELCHANGE, [this] { enableForProtocol(); });
    onCommand(IDC_CONN_OK, BN_CLICKED, [this] { accept(false); });
    onCommand(IDC_CONN_COM_PORT, EN_CHANGE, [this] { showDeviceOfComPort(); });
    onCommand(IDC_CONN_DEVICE, CBN_SELCHANGE, [this] { onDeviceChosen(); });
    onCommand(IDC_CONN_USE_DEVICE, BN_CLICKED, [this] { useDeviceAsComPort(); });
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
    DDX_Control(pDX, IDC_CONN_DEVICE, m_device);
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
    fillDevices();
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
    updateUseButton();
}

void CMakeConnectionDlg::fillDevices() {
    m_devices = SerialDeviceList::list(m_roots).devices;
    m_device.ResetContent();
    for (const auto& device : m_devices) {
        m_device.AddString(deviceText(device));
    }
    showDeviceOfComPort();
}

int CMakeConnectionDlg::typedComPort() const {
    uint8_t comPort = 0;
    return ParseUInt8(m_comPort.GetWindowText(), comPort) == ParseOk ? comPort : 0;
}

void CMakeConnectionDlg::showDeviceOfComPort() {
    const std::filesystem::path reached = reachedBy(typedComPort());
    int shown = -1;
    for (size_t i = 0; i < m_devices.size() && !reached.empty(); ++i) {
        if (resolved(m_devices[i].path) == reached) {
            shown = static_cast<int>(i);
        }
    }
    m_device.SetCurSel(shown);
    updateUseButton();
}

// A device that a COM number reaches already brings that number along.
void CMakeConnectionDlg::onDeviceChosen() {
    const int chosen = m_device.GetCurSel();
    if (chosen >= 0) {
        const SerialDeviceList::Device& device = m_devices[static_cast<size_t>(chosen)];
        int number = device.comAliases.empty() ? 0 : device.comAliases.front();
        const std::string name = std::filesystem::path(device.path).filename().string();
        if (number == 0 && name.starts_with("ttyS") &&
            reachedBy(std::stoi(name.substr(4)) + 1) == resolved(device.path)) {
            number = std::stoi(name.substr(4)) + 1;
        }
        if (number != 0 && number != typedComPort()) {
            m_comPort.SetWindowText(std::to_string(number));
        }
    }
    updateUseButton();
}

void CMakeConnectionDlg::useDeviceAsComPort() {
    const int chosen = m_device.GetCurSel();
    const int comPort = typedComPort();
    if (chosen < 0 || comPort == 0) {
        return;
    }
    const SerialDeviceList::Device& device = m_devices[static_cast<size_t>(chosen)];
    std::string problem;
    // The by-id name stays with the adapter when it is plugged into another socket.
    if (!setComPortAlias(comPort, device.byId.empty() ? device.path : device.byId, problem)) {
        MessageBox("The COM port alias could not be made:\n\n" + problem, "COM Port Alias",
                   MB_OK | MB_ICONSTOP);
        return;
    }
    fillDevices();
}

void CMakeConnectionDlg::updateUseButton() {
    const int comPort = typedComPort();
    const int chosen = m_device.GetCurSel();
    const bool reached =
        chosen >= 0 && resolved(m_devices[static_cast<size_t>(chosen)].path) == reachedBy(comPort);
    CControl button = GetDlgItem(IDC_CONN_USE_DEVICE);
    button.SetWindowText(comPort > 0 ? "Use as COM " + std::to_string(comPort) : "Use as COM");
    button.EnableWindow(SelectedPosition(m_protocol) == ConnectOptions::modbusRtu && comPort > 0 &&
                        chosen >= 0 && !reached);
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
