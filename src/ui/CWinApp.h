#pragma once

#include "ui/CCmdTarget.h"
#include "ui/RecentFileList.h"
#include "ui/SettingsStore.h"

#include <memory>
#include <string>

class CFrameWnd;
class CSingleDocTemplate;

// The application: its name, its per-user settings store with the recent-file list, its one
// document template and main window. It handles File New, File Open and the recent-file
// entries, the last stop of every command's road. One instance at a time.
class CWinApp : public CCmdTarget {
public:
    // appName names the settings file; the application title string by default.
    explicit CWinApp(std::string appName = {});
    ~CWinApp() override;

    // Start-up; false ends the program.
    virtual bool InitInstance();

    const std::string& appName() const { return m_appName; }
    // Opens the settings store of the organisation: <config>/<organisation>/<appName>.ini.
    void SetRegistryKey(const std::string& organisation);
    // The recent-file list of `count` entries, read from the store.
    void LoadStdProfileSettings(size_t count);
    SettingsStore& settings() { return m_settings; }
    RecentFileList* recentFileList() const { return m_recent.get(); }

    void AddDocTemplate(CSingleDocTemplate& docTemplate);
    CSingleDocTemplate* docTemplate() const { return m_template; }
    CFrameWnd* mainFrame() const { return m_mainFrame; }
    void setMainFrame(CFrameWnd* frame) { m_mainFrame = frame; }

    // Opens a document through the template; see CSingleDocTemplate::OpenDocumentFile.
    bool OpenDocumentFile(const std::string& path, bool report = true);
    void OnFileNew();
    void OnFileOpen();

    // The manual, an HTML file whose sections the help topics name (res/HelpTopics.h); empty
    // greys Help Topics, F1 and context help.
    void SetHelpFile(std::string path) { m_helpFile = std::move(path); }
    const std::string& helpFile() const { return m_helpFile; }
    // Opens the manual in the desktop's browser at the section of a help context (HID_*),
    // or at its start for 0 or a context without a section. A failure is shown in a message
    // box naming the manual, so that the user can still open it by hand.
    void WinHelp(int helpContext);

private:
    // A recent-file entry that no longer opens leaves the list.
    void OnOpenRecentFile(int id);

    std::string m_appName;
    SettingsStore m_settings;
    std::unique_ptr<RecentFileList> m_recent;
    CSingleDocTemplate* m_template = nullptr;
    CFrameWnd* m_mainFrame = nullptr;
    std::string m_helpFile;
};

// The application object, or null when there is none.
CWinApp* AfxGetApp();
