#pragma once

#include "app/CMainFrame.h"
#include "device/CVtrConfigDoc.h"
#include "res/ResourceIds.h"
#include "ui/CSingleDocTemplate.h"
#include "ui/CWinApp.h"

#include <functional>
#include <string>
#include <vector>

// The application: the settings store of "Corvantis" / "VtrConfig" with its three recent
// files, the one document type (resource 128) tying the document, the main window and the
// tree view together, start-up from the command line, and the About box.
class CVtrConfigApp : public CWinApp {
public:
    CVtrConfigApp();
    ~CVtrConfigApp() override;

    // Start-up with the arguments after the program's name: none opens an untitled document,
    // a path opens that document (connecting at once when it says so). False, with the reason
    // in failure, when the window cannot be made or the document cannot be opened.
    bool start(const std::vector<std::string>& arguments, std::string& failure);

    // How start-up runs the auto-connect of the document it opened. The connect blocks for as
    // long as the unit takes to answer, so it waits until the window is shown: by default it
    // runs right after showing it; the program defers it to the window's first paint, so that
    // the status texts of a slow connect are on the screen instead of no window at all.
    using StartupConnect = std::function<void(std::function<void()> connect)>;
    void setStartupConnect(StartupConnect runner) { m_startupConnect = std::move(runner); }

    // Why start-up went on without the saved settings (the file could not be read); empty
    // when they were read or there were none yet.
    const std::string& settingsWarning() const { return m_settingsWarning; }

    CVtrConfigDoc& document() { return m_document; }
    CMainFrame& mainWindow() { return m_frame; }

private:
    CVtrConfigDoc m_document;
    CSingleDocTemplate m_template{IDR_MAINFRAME, m_document};
    CMainFrame m_frame{m_document};
    StartupConnect m_startupConnect;
    bool m_connectWhenShown = false;
    std::string m_settingsWarning;
};
