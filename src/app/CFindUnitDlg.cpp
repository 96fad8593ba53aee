#include "app/CFindUnitDlg.h"

#include "dialogs/ChoiceTexts.h"
#include "modbus/ComPortName.h"
#include "modbus/MbusError.h"
#include "res/ResourceIds.h"
#include "ui/CDataExchange.h"
#include "ui/UiConstants.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// Tab stops of the result list in dialog units: baud, parity, slave, serial number, firmware,
// under the column headings of the template.
constexpr std::array<int, 5> resultTabStops = {84, 110, 136, 158, 218};
constexpr unsigned errorStyle = MB_OK | MB_ICONSTOP;

std::string lastOctetRange(const std::string& server, uint16_t port) {
    const size_t lastDot = server.rfind('.');
    TcpUnitScan::Range range;
    std::string ignored;
    if (lastDot == std::string::npos || !TcpUnitScan::parseRange(server, range, ignored)) {
        return "192.168.1.1-254:" + std::to_string(port);
    }
    return server.substr(0, lastDot) + ".1-254:" + std::to_string(port);
}

uint32_t addressNumber(const FoundUnit& unit) {
    TcpUnitScan::Range range;
    std::string ignored;
    return TcpUnitScan::parseRange(unit.address, range, ignored) ? range.first : 0;
}

std::string resultLine(const FoundUnit& unit) {
    std::string line;
    if (unit.isTcp()) {
        line =
            unit.address + ":" + std::to_string(unit.port) + "\t\t\t" + std::to_string(unit.slave);
    } else {
        line = unit.device + "\t" + std::to_string(unit.baudRate) + "\t" +
               ChoiceTexts::parity[unit.parity] + "\t" + std::to_string(unit.slave);
    }
    if (unit.identityResult != MBUS_SUCCESS) {
        return line + "\tnot a VTR300";
    }
    return line + "\t" + unit.identity.serialNumber + "\t" + unit.identity.firmwareRevision;
}

} // namespace

CFindUnitDlg::CFindUnitDlg() : CDialog(IDD_FIND_UNIT) {
    onCommand(IDC_FIND_SEARCH_RTU, BN_CLICKED, [this] { searchSerialLine(); });
    onCommand(IDC_FIND_SEARCH_TCP, BN_CLICKED, [this] { searchNetwork(); });
    onCommand(IDC_FIND_CANCEL, BN_CLICKED, [this] { m_search.cancel(); });
    onCommand(IDC_FIND_RESULTS, LBN_SELCHANGE,
              [this] { GetDlgItem(IDOK).EnableWindow(m_results.GetCurSel() >= 0); });
    onMessage(WM_TIMER, [this](uintptr_t, intptr_t) { onTimer(); });
}

void CFindUnitDlg::SetData(const ConnectOptions& options, Choose choose) {
    m_options = options;
    m_choose = std::move(choose);
}

void CFindUnitDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_FIND_DEVICE, m_device);
    DDX_Control(pDX, IDC_FIND_SLAVES, m_slaves);
    DDX_Control(pDX, IDC_FIND_ADDRESSES, m_addresses);
    DDX_Control(pDX, IDC_FIND_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_FIND_RESULTS, m_results);
}

int CFindUnitDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_device.SetWindowText("COM" + std::to_string(m_options.comPort));
    m_slaves.SetWindowText("1-247");
    m_addresses.SetWindowText(lastOctetRange(m_options.server, m_options.tcpPort));
    m_results.SetTabStops(resultTabStops);
    m_progress.SetWindowText("Search a serial line or the network for units.");
    m_found.clear();
    return 1;
}

void CFindUnitDlg::searchSerialLine() {
    RtuUnitScan::Plan plan;
    plan.device = m_device.GetWindowText();
    if (plan.device.empty() || !RtuUnitScan::parseSlaves(m_slaves.GetWindowText(), plan.slaves)) {
        MessageBox(plan.device.empty() ? "Please enter a serial device, e.g. COM1 or /dev/ttyUSB0."
                                       : "Slave IDs are FIRST-LAST within 1-247, e.g. 1-247.",
                   caption, errorStyle);
        GotoDlgCtrl(plan.device.empty() ? m_device : m_slaves);
        return;
    }
    started(m_search.startRtu(plan));
}

void CFindUnitDlg::searchNetwork() {
    TcpUnitScan::Range range;
    std::string problem;
    if (!TcpUnitScan::parseRange(m_addresses.GetWindowText(), range, problem)) {
        MessageBox("Addresses are FIRST[-LAST][:PORT], e.g. 192.168.1.1-254:502.\n\n" + problem,
                   caption, errorStyle);
        GotoDlgCtrl(m_addresses);
        return;
    }
    started(m_search.startTcp(range, TcpUnitScan::defaultJobs));
}

void CFindUnitDlg::started(bool ok) {
    if (!ok) {
        return;
    }
    m_found.clear();
    m_results.ResetContent();
    GetDlgItem(IDOK).EnableWindow(false);
    m_progress.SetWindowText("Searching...");
    enableButtons(true);
    SetTimer(pollTimer, pollMs);
}

void CFindUnitDlg::enableButtons(bool running) {
    GetDlgItem(IDC_FIND_SEARCH_RTU).EnableWindow(!running);
    GetDlgItem(IDC_FIND_SEARCH_TCP).EnableWindow(!running);
    GetDlgItem(IDC_FIND_CANCEL).EnableWindow(running);
}

void CFindUnitDlg::onTimer() {
    const UnitSearch::State state = m_search.take();
    showResults(state);
    char text[160];
    if (state.running) {
        const int percent = state.total > 0 ? state.done * 100 / state.total : 0;
        std::snprintf(text, sizeof text, "%d%%  %s", percent, state.step.c_str());
    } else {
        KillTimer(pollTimer);
        enableButtons(false);
        if (state.result != MBUS_SUCCESS) {
            std::snprintf(text, sizeof text, "The device could not be opened: %s",
                          errorText(state.result));
        } else {
            const auto units = std::count_if(m_found.begin(), m_found.end(), [](const auto& u) {
                return u.identityResult == MBUS_SUCCESS;
            });
            std::snprintf(text, sizeof text, "%ld unit%s found.", static_cast<long>(units),
                          units == 1 ? "" : "s");
        }
    }
    m_progress.SetWindowText(text);
}

void CFindUnitDlg::showResults(const UnitSearch::State& state) {
    for (const FoundUnit& unit : state.found) {
        // Addresses answer in any order; the list keeps them in address order.
        const auto at = std::find_if(m_found.begin(), m_found.end(), [&](const FoundUnit& shown) {
            return unit.isTcp() && shown.isTcp() && addressNumber(shown) > addressNumber(unit);
        });
        const int line = static_cast<int>(at - m_found.begin());
        m_found.insert(at, unit);
        m_results.InsertString(line, resultLine(unit));
    }
}

bool CFindUnitDlg::optionsFor(const FoundUnit& unit, ConnectOptions& options) {
    options = m_options;
    if (unit.isTcp()) {
        options.protocol = ConnectOptions::modbusTcp;
        options.server = unit.address;
        options.tcpPort = unit.port;
        return true;
    }
    std::string problem;
    const int comPort = comPortFor(unit.device, problem);
    if (comPort == 0) {
        MessageBox("No COM number can name " + unit.device + ":\n\n" + problem, caption,
                   errorStyle);
        return false;
    }
    const auto& rates = ConnectOptions::baudRates;
    options.protocol = ConnectOptions::modbusRtu;
    options.comPort = static_cast<uint8_t>(comPort);
    options.slaveId = static_cast<uint8_t>(unit.slave);
    options.baudIndex =
        static_cast<uint16_t>(std::find(rates.begin(), rates.end(), unit.baudRate) - rates.begin());
    options.parityIndex = static_cast<uint16_t>(unit.parity);
    return true;
}

void CFindUnitDlg::OnOK() {
    const int selected = m_results.GetCurSel();
    ConnectOptions options;
    if (selected < 0 || !optionsFor(m_found[static_cast<size_t>(selected)], options)) {
        return;
    }
    m_search.cancel();
    KillTimer(pollTimer);
    EndDialog(IDOK);
    if (m_choose) {
        m_choose(options);
    }
}

void CFindUnitDlg::OnCancel() {
    m_search.cancel();
    KillTimer(pollTimer);
    EndDialog(IDCANCEL);
}
