#include "app/CMainFrame.h"

#include "app/KepServerExport.h"
#include "device/CVtrConfigDoc.h"
#include "device/PanelLayout.h"
#include "quickview/CChanQuickViewDlg.h"
#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "ui/BusyFlow.h"
#include "ui/CCmdUI.h"
#include "ui/CWaitCursor.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

#include <array>

namespace {

constexpr int kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                               ID_INDICATOR_SCRL};
constexpr uint16_t kScanModeUserDefined = 1;
// How long a unit takes to come back after resetting its analog panels.
constexpr int64_t kBootWaitMs = 3000;
// The average weight entries are not numbered in panel order.
constexpr std::array<int, PanelLayout::analogPanels> kAverageWeightIds = {
    ID_AVERAGE_WEIGHTS_0, ID_AVERAGE_WEIGHTS_1, ID_AVERAGE_WEIGHTS_2, ID_AVERAGE_WEIGHTS_3};
constexpr unsigned kResetQuestionStyle = MB_YESNO | MB_ICONWARNING;

std::string resetDigitalQuestion(int panel) {
    return "This operation will reset ALL Digital Panel " + std::to_string(panel) +
           " configuration parameters to factory default settings.\n\nDo you wish to continue?";
}

} // namespace

CMainFrame::CMainFrame(CVtrConfigDoc& document)
    : m_document(document), m_view(document), m_trafficLog(document) {
    registerConnectionCommands();
    registerConfigureCommands();
    registerPanelCommands();
    registerResetCommands();
    registerViewCommands();
}

CMainFrame::~CMainFrame() {
    DestroyWindow();
}

bool CMainFrame::create() {
    if (!LoadFrame(IDR_MAINFRAME, kIndicators) || !m_view.CreateView(*this)) {
        return false;
    }
    SetActiveView(&m_view);
    DragAcceptFiles();
    updateCommandUI();
    return true;
}

template <typename Work>
void CMainFrame::whileShowing(int statusTextId, Work work) {
    SetMessageText(statusTextId);
    CWaitCursor paintFirst;
    work();
}

void CMainFrame::OnConnect() {
    bool cancelled = false;
    {
        CWaitCursor wait;
        const BusyFlow::Scope flow;
        const bool wasConnected = m_document.isConnected() != 0;
        bool connected = wasConnected;
        if (!connected) {
            whileShowing(IDS_CONNECTING, [&] { connected = m_document.connect() == 1; });
        }
        if (connected) {
            whileShowing(IDS_READING_DATA, [this] { m_document.refresh(); });
        }
        cancelled = flow.cancelled();
        // A connect the user stopped, even during its first refresh, leaves no link behind.
        if (cancelled && !wasConnected && m_document.isConnected() != 0) {
            m_document.disconnect();
        }
    }
    SetMessageText(cancelled ? IDS_CANCELLED : IDS_IDLE_MESSAGE);
}

void CMainFrame::OnResetAnalogPanels() {
    if (ShowMessageBox(this,
                       "This operation will reset ALL analog configuration parameters to factory "
                       "default settings.\n\nDo you wish to continue?",
                       "Reset Analog Panels", kResetQuestionStyle) != IDYES) {
        return;
    }
    bool cancelled = false;
    {
        CWaitCursor wait;
        const BusyFlow::Scope flow;
        int result = 0;
        whileShowing(IDS_RESETTING_ANALOG, [&] { result = m_document.resetAnalogPanels(); });
        if (result == 0) {
            whileShowing(IDS_WAITING_FOR_BOOT, [this] {
                BusyFlow::runStep([this] {
                    m_clock->sleepMs(kBootWaitMs);
                    return 0;
                });
            });
            whileShowing(IDS_READING_DATA, [this] { m_document.refresh(); });
        }
        cancelled = flow.cancelled();
    }
    SetMessageText(cancelled ? IDS_CANCELLED : IDS_IDLE_MESSAGE);
}

void CMainFrame::OnResetDigitalPanel(int panel) {
    if (ShowMessageBox(this, resetDigitalQuestion(panel), "Reset Digital Panel",
                       kResetQuestionStyle) != IDYES) {
        return;
    }
    const BusyFlow::Scope flow;
    m_document.resetDigitalPanel(panel);
    if (flow.cancelled()) {
        SetMessageText(IDS_CANCELLED);
    }
}

void CMainFrame::OnConnectOptions() {
    m_connectDialog.SetData(m_document.getConnectOptions(), m_document.getHexDisplay());
    if (m_connectDialog.DoModal() != IDOK) {
        return;
    }
    m_document.setConnectOptions(m_connectDialog.GetData());
    if (m_connectDialog.connectAfterClosing()) {
        OnConnect();
    }
}

void CMainFrame::OnFindUnit() {
    if (m_findDialog.IsWindow()) {
        if (m_findDialog.IsWindowVisible()) {
            return;
        }
        m_findDialog.DestroyWindow();
    }
    m_findDialog.SetData(m_document.getConnectOptions(), [this](const ConnectOptions& options) {
        if (m_document.isConnected() != 0) {
            m_document.disconnect();
        }
        m_document.setConnectOptions(options);
        OnConnect();
    });
    m_findDialog.Create(this);
}

void CMainFrame::registerConnectionCommands() {
    const auto whenConnected = [this](CCmdUI& update) {
        update.Enable(m_document.isConnected() != 0);
    };
    handleCommand(ID_CONNECT_OPTIONS, [this] { OnConnectOptions(); });
    handleUpdate(ID_CONNECT_OPTIONS,
                 [this](CCmdUI& update) { update.Enable(m_document.isConnected() == 0); });
    handleCommand(ID_CONNECT, [this] { OnConnect(); });
    handleUpdate(ID_CONNECT, [this](CCmdUI& update) {
        update.SetText(m_document.isConnected() != 0 ? "&Refresh Data\tF4" : "&Connect\tF4");
    });
    handleCommand(ID_FIND_UNIT, [this] { OnFindUnit(); });
    handleCommand(ID_DISCONNECT, [this] {
        if (m_document.isConnected() != 0) {
            m_document.disconnect();
        }
    });
    handleUpdate(ID_DISCONNECT, whenConnected);
    handleCommand(ID_AUTO_CONNECT,
                  [this] { m_document.setAutoConnect(m_document.getAutoConnect() != 0 ? 0 : 1); });
    handleUpdate(ID_AUTO_CONNECT,
                 [this](CCmdUI& update) { update.SetCheck(m_document.getAutoConnect() != 0); });
    // Printing is offered by the menu but never available.
    for (const int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP}) {
        handleUpdate(id, [](CCmdUI& update) { update.Enable(false); });
    }
}

void CMainFrame::registerConfigureCommands() {
    const auto whenConnected = [this](CCmdUI& update) {
        update.Enable(m_document.isConnected() != 0);
    };
    const auto whenPanelAvailable = [this](int firstId) {
        return [this, firstId](CCmdUI& update) {
            update.Enable(m_document.isDigitalPanelAvailable(update.id() - firstId));
        };
    };
    handleCommand(ID_CONFIGURE_RTU_INTERFACE, [this] { m_document.configureRtuInterface(); });
    handleUpdate(ID_CONFIGURE_RTU_INTERFACE, whenConnected);
    handleCommand(ID_CONFIGURE_TCP_INTERFACE, [this] { m_document.configureTcpInterface(0); });
    handleUpdate(ID_CONFIGURE_TCP_INTERFACE, whenConnected);
    handleCommand(ID_CONFIGURE_SECONDARY_TCP, [this] { m_document.configureTcpInterface(1); });
    handleUpdate(ID_CONFIGURE_SECONDARY_TCP, [this](CCmdUI& update) {
        update.Enable(m_document.isConnected() != 0 && m_document.getSecondaryTcpSupported() > 0);
    });
    handleCommand(ID_CONFIGURE_SCAN_MODE, [this] { m_document.configureScanMode(); });
    handleUpdate(ID_CONFIGURE_SCAN_MODE, whenConnected);
    handleCommand(ID_CONFIGURE_SCAN_PARAMETERS, [this] { m_document.configureScanParameters(); });
    handleUpdate(ID_CONFIGURE_SCAN_PARAMETERS, [this](CCmdUI& update) {
        const uint16_t* mode = m_document.getScanMode();
        update.Enable(m_document.isConnected() != 0 && mode != nullptr &&
                      *mode == kScanModeUserDefined);
    });
    constexpr int lastAnalog = ID_ANALOG_CHANNEL_STATES_0 + PanelLayout::analogPanels - 1;
    handleCommandRange(ID_ANALOG_CHANNEL_STATES_0, lastAnalog, [this](int id) {
        m_document.configureAnalogChannelStates(id - ID_ANALOG_CHANNEL_STATES_0);
    });
    handleUpdateRange(ID_ANALOG_CHANNEL_STATES_0, lastAnalog, whenConnected);
    constexpr int lastDigital = ID_DIGITAL_CHANNEL_STATES_0 + PanelLayout::digitalPanels - 1;
    handleCommandRange(ID_DIGITAL_CHANNEL_STATES_0, lastDigital, [this](int id) {
        m_document.configureDigitalChannelStates(id - ID_DIGITAL_CHANNEL_STATES_0);
    });
    handleUpdateRange(ID_DIGITAL_CHANNEL_STATES_0, lastDigital,
                      whenPanelAvailable(ID_DIGITAL_CHANNEL_STATES_0));
}

void CMainFrame::registerPanelCommands() {
    const auto whenConnected = [this](CCmdUI& update) {
        update.Enable(m_document.isConnected() != 0);
    };
    for (int panel = 0; panel < PanelLayout::analogPanels; ++panel) {
        const int id = kAverageWeightIds[static_cast<size_t>(panel)];
        handleCommand(id, [this, panel] { m_document.configureAverageWeights(panel); });
        handleUpdate(id, whenConnected);
    }
    constexpr int lastAnalog = ID_ANALOG_DEFAULT_OUTPUTS_0 + PanelLayout::analogPanels - 1;
    handleCommandRange(ID_ANALOG_DEFAULT_OUTPUTS_0, lastAnalog, [this](int id) {
        m_document.configureDefaultOutputs(id - ID_ANALOG_DEFAULT_OUTPUTS_0);
    });
    handleUpdateRange(ID_ANALOG_DEFAULT_OUTPUTS_0, lastAnalog, whenConnected);
    constexpr int lastDigital = ID_DIGITAL_DEFAULT_OUTPUTS_0 + PanelLayout::digitalPanels - 1;
    handleCommandRange(ID_DIGITAL_DEFAULT_OUTPUTS_0, lastDigital, [this](int id) {
        m_document.configureDigitalOutputs(id - ID_DIGITAL_DEFAULT_OUTPUTS_0);
    });
    handleUpdateRange(ID_DIGITAL_DEFAULT_OUTPUTS_0, lastDigital, [this](CCmdUI& update) {
        update.Enable(
            m_document.isDigitalPanelAvailable(update.id() - ID_DIGITAL_DEFAULT_OUTPUTS_0));
    });
}

void CMainFrame::registerResetCommands() {
    handleCommand(ID_RESET_ANALOG_PANELS, [this] { OnResetAnalogPanels(); });
    handleUpdate(ID_RESET_ANALOG_PANELS,
                 [this](CCmdUI& update) { update.Enable(m_document.isConnected() != 0); });
    constexpr int last = ID_RESET_DIGITAL_PANEL_0 + PanelLayout::digitalPanels - 1;
    handleCommandRange(ID_RESET_DIGITAL_PANEL_0, last,
                       [this](int id) { OnResetDigitalPanel(id - ID_RESET_DIGITAL_PANEL_0); });
    handleUpdateRange(ID_RESET_DIGITAL_PANEL_0, last, [this](CCmdUI& update) {
        update.Enable(m_document.isDigitalPanelAvailable(update.id() - ID_RESET_DIGITAL_PANEL_0));
    });
}

void CMainFrame::registerViewCommands() {
    handleCommand(ID_VIEW_HEXADECIMAL, [this] { m_document.setHexDisplay(1); });
    handleUpdate(ID_VIEW_HEXADECIMAL,
                 [this](CCmdUI& update) { update.SetCheck(m_document.getHexDisplay() == 1); });
    handleCommand(ID_VIEW_DECIMAL, [this] { m_document.setHexDisplay(0); });
    handleUpdate(ID_VIEW_DECIMAL,
                 [this](CCmdUI& update) { update.SetCheck(m_document.getHexDisplay() == 0); });
    const auto whenConnected = [this](CCmdUI& update) {
        update.Enable(m_document.isConnected() != 0);
    };
    handleCommand(ID_QUICK_CHANNEL_VIEW, [this] { CChanQuickViewDlg::Show(m_document); });
    handleUpdate(ID_QUICK_CHANNEL_VIEW, whenConnected);
    // The log is open to read whether connected or not.
    handleCommand(ID_VIEW_TRAFFIC_LOG, [this] { m_trafficLog.Open(this); });
    handleCommand(ID_EXPORT_KEPSERVER, [this] { KepServerExport::run(m_document, this); });
    handleUpdate(ID_EXPORT_KEPSERVER, whenConnected);
}
