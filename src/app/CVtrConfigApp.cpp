#include "app/CVtrConfigApp.h"

#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "ui/CDialog.h"
#include "ui/UiConstants.h"

namespace {

constexpr size_t kRecentFiles = 3;

} // namespace

CVtrConfigApp::CVtrConfigApp() {
    handleCommand(ID_APP_ABOUT, [] {
        CDialog about(IDD_ABOUTBOX);
        about.DoModal();
    });
}

CVtrConfigApp::~CVtrConfigApp() {
    m_document.setConnectCommand({});
}

bool CVtrConfigApp::start(const std::vector<std::string>& arguments, std::string& failure) {
    SetRegistryKey("Corvantis");
    m_settingsWarning.clear();
    if (!settings().failureReason().empty()) {
        m_settingsWarning = "cannot read the settings file " + settings().path() + " (" +
                            settings().failureReason() + "): starting with empty settings";
    }
    LoadStdProfileSettings(kRecentFiles);
    AddDocTemplate(m_template);
    if (!m_frame.create()) {
        failure = "cannot create the main window";
        return false;
    }
    setMainFrame(&m_frame);
    CWnd::setMainWindow(&m_frame);
    // An auto-connect of the document opened below waits for the window.
    m_connectWhenShown = false;
    m_document.setConnectCommand([this] { m_connectWhenShown = true; });
    if (arguments.size() > 1) {
        failure = "only one document can be opened";
        return false;
    }
    if (arguments.empty()) {
        if (!m_template.OnFileNew()) {
            failure = "cannot create a new document";
            return false;
        }
    } else if (!m_template.OpenDocumentFile(arguments.front(), false)) {
        failure = m_document.failureText();
        return false;
    }
    m_document.setConnectCommand([this] { m_frame.OnConnect(); });
    m_frame.view().OnInitialUpdate();
    // Where the user left the window last time.
    if (const std::optional<WindowPlacement> placement = WindowPlacement::load(settings())) {
        m_frame.SetWindowPlacement(*placement);
    }
    m_frame.ShowWindow(SW_SHOW);
    m_frame.updateCommandUI();
    if (m_connectWhenShown) {
        std::function<void()> connect = [this] {
            m_frame.OnConnect();
            m_frame.updateCommandUI();
        };
        m_startupConnect ? m_startupConnect(std::move(connect)) : connect();
    }
    return true;
}
