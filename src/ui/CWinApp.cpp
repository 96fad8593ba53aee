#include "ui/CWinApp.h"

#include "res/CommandIds.h"
#include "res/HelpTopics.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/CCmdUI.h"
#include "ui/CDocument.h"
#include "ui/CSingleDocTemplate.h"
#include "ui/CWnd.h"
#include "ui/DesktopOpener.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

namespace {

constexpr const char* kRecentSection = "Recent File List";

CWinApp* theApp = nullptr;

} // namespace

CWinApp* AfxGetApp() {
    return theApp;
}

CWinApp::CWinApp(std::string appName)
    : m_appName(appName.empty() ? std::string(loadString(IDS_APP_TITLE)) : std::move(appName)) {
    theApp = this;
    handleCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    handleCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    handleCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST,
                       [this](int id) { OnOpenRecentFile(id); });
    // Help Topics and F1 outside any dialog: the manual from its start.
    for (const int id : {ID_HELP_FINDER, ID_HELP}) {
        handleCommand(id, [this] { WinHelp(0); });
        handleUpdate(id, [this](CCmdUI& update) { update.Enable(!m_helpFile.empty()); });
    }
}

CWinApp::~CWinApp() {
    if (theApp == this) {
        theApp = nullptr;
    }
}

bool CWinApp::InitInstance() {
    return true;
}

void CWinApp::SetRegistryKey(const std::string& organisation) {
    m_settings.open(SettingsStore::defaultPath(organisation, m_appName));
}

void CWinApp::LoadStdProfileSettings(size_t count) {
    m_recent = std::make_unique<RecentFileList>(m_settings, kRecentSection, count);
    m_recent->load();
    if (m_template != nullptr) {
        m_template->setRecentFileList(m_recent.get());
    }
}

void CWinApp::AddDocTemplate(CSingleDocTemplate& docTemplate) {
    m_template = &docTemplate;
    m_template->setRecentFileList(m_recent.get());
}

bool CWinApp::OpenDocumentFile(const std::string& path, bool report) {
    return m_template != nullptr && m_template->OpenDocumentFile(path, report);
}

void CWinApp::OnFileNew() {
    if (m_template != nullptr) {
        m_template->OnFileNew();
    }
}

void CWinApp::OnFileOpen() {
    if (m_template != nullptr) {
        m_template->OnFileOpen();
    }
}

void CWinApp::OnOpenRecentFile(int id) {
    const size_t index = static_cast<size_t>(id - ID_FILE_MRU_FILE1);
    if (m_recent == nullptr || index >= m_recent->size()) {
        return;
    }
    const std::string path = (*m_recent)[index];
    if (m_template != nullptr &&
        m_template->openDocument(path, true) == CSingleDocTemplate::OpenResult::failed) {
        m_recent->remove(index);
    }
}

void CWinApp::WinHelp(int helpContext) {
    if (m_helpFile.empty()) {
        return;
    }
    const char* section = helpSectionOf(helpContext);
    std::string failure;
    if (!currentDesktopOpener().open(fileUrl(m_helpFile, section != nullptr ? section : ""),
                                     failure)) {
        ShowMessageBox(CWnd::GetActiveWindow(),
                       "The manual could not be shown (" + failure + "). It is the file " +
                           m_helpFile + ".",
                       m_appName, MB_OK | MB_ICONWARNING);
    }
}
