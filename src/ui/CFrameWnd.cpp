#include "ui/CFrameWnd.h"

#include "res/CommandIds.h"
#include "res/HelpTopics.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/CCmdUI.h"
#include "ui/CDocument.h"
#include "ui/CSingleDocTemplate.h"
#include "ui/CView.h"
#include "ui/CWinApp.h"
#include "ui/FramePeer.h"
#include "ui/RecentFileList.h"

#include <algorithm>
#include <set>

CFrameWnd::CFrameWnd() {
    handleCommand(ID_VIEW_TOOLBAR, [this] { ShowToolBar(!m_toolBar.visible); });
    handleUpdate(ID_VIEW_TOOLBAR, [this](CCmdUI& update) {
        update.Enable(m_toolBar.resource() != nullptr);
        update.SetCheck(m_toolBar.visible);
    });
    handleCommand(ID_VIEW_STATUS_BAR, [this] { ShowStatusBar(!m_statusBar.visible); });
    handleUpdate(ID_VIEW_STATUS_BAR,
                 [this](CCmdUI& update) { update.SetCheck(m_statusBar.visible); });
    handleCommand(ID_APP_EXIT, [this] { OnClose(); });
    handleCommand(ID_CONTEXT_HELP, [this] { setContextHelpMode(true); });
    handleUpdate(ID_CONTEXT_HELP, [](CCmdUI& update) {
        update.Enable(AfxGetApp() != nullptr && !AfxGetApp()->helpFile().empty());
    });
}

CFrameWnd::~CFrameWnd() = default;

bool CFrameWnd::LoadFrame(int resourceId, std::span<const int> indicators) {
    const MenuTemplate* menu = findMenu(resourceId);
    if (IsWindow() || menu == nullptr) {
        return false;
    }
    m_resourceId = resourceId;
    m_menu.load(*menu);
    if (const CMenu::Item* recent = m_menu.find(ID_FILE_MRU_FILE1)) {
        m_recentPlaceholder = recent->text;
    }
    m_accelerators = findAccelerators(resourceId);
    m_toolBar.LoadToolBar(resourceId);
    m_statusBar.SetIndicators(indicators);
    m_statusBar.SetPaneText(0, loadString(IDS_IDLE_MESSAGE));
    if (!createWindow(WindowKind::Frame, nullptr, nullptr)) {
        return false;
    }
    const std::string strings = loadString(resourceId);
    SetWindowText(strings.substr(0, strings.find('\n')));
    if (!OnCreate()) {
        DestroyWindow();
        return false;
    }
    updateCommandUI();
    return true;
}

bool CFrameWnd::OnCreate() {
    return true;
}

void CFrameWnd::SetActiveView(CView* view) {
    m_view = view;
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_view != nullptr ? m_view->GetDocument() : nullptr;
}

void CFrameWnd::SetMessageText(const std::string& text) {
    if (m_statusBar.SetPaneText(0, text) && framePeer() != nullptr) {
        framePeer()->statusPaneChanged(0);
    }
}

void CFrameWnd::SetMessageText(int stringId) {
    SetMessageText(std::string(loadString(stringId)));
}

void CFrameWnd::ShowToolBar(bool show) {
    if (m_toolBar.visible != show) {
        m_toolBar.visible = show;
        if (framePeer() != nullptr) {
            framePeer()->controlBarsChanged();
        }
    }
}

void CFrameWnd::ShowStatusBar(bool show) {
    if (m_statusBar.visible != show) {
        m_statusBar.visible = show;
        if (framePeer() != nullptr) {
            framePeer()->controlBarsChanged();
        }
    }
}

std::string CFrameWnd::promptOf(int id) {
    const std::string text = loadString(id);
    return text.substr(0, text.find('\n'));
}

void CFrameWnd::commandChain(std::vector<CCmdTarget*>& chain) {
    if (m_view != nullptr) {
        m_view->commandChain(chain);
    }
    chain.push_back(this);
    if (CWinApp* app = AfxGetApp()) {
        chain.push_back(app);
    }
}

void CFrameWnd::updateCommand(int id, bool isMenuItem, bool greyed) {
    CCmdUI update(id);
    if (greyed) {
        update.Enable(false);
    } else if (!routeUpdate(update)) {
        update.Enable(canRoute(id));
    }
    bool changed = false;
    if (isMenuItem) {
        if (CMenu::Item* item = m_menu.find(id)) {
            const bool enabled = update.enabled().value_or(item->enabled);
            changed |= item->enabled != enabled;
            item->enabled = enabled;
            if (update.checked() && item->checked != *update.checked()) {
                item->checked = *update.checked();
                changed = true;
            }
            if (update.text() && item->text != *update.text()) {
                item->text = *update.text();
                changed = true;
            }
        }
    }
    if (CToolBar::Button* button = m_toolBar.find(id)) {
        const bool enabled = update.enabled().value_or(button->enabled);
        changed |= button->enabled != enabled;
        button->enabled = enabled;
        if (update.checked() && button->checked != *update.checked()) {
            button->checked = *update.checked();
            changed = true;
        }
    }
    if (changed && framePeer() != nullptr) {
        framePeer()->commandStateChanged(id);
    }
}

bool CFrameWnd::updateRecentFiles(std::vector<CMenu::Item>& items) {
    const auto isRecent = [](const CMenu::Item& item) {
        return item.id >= ID_FILE_MRU_FILE1 && item.id <= ID_FILE_MRU_LAST;
    };
    const auto first = std::find_if(items.begin(), items.end(), isRecent);
    if (first == items.end()) {
        return false;
    }
    CWinApp* app = AfxGetApp();
    const RecentFileList* recent = app != nullptr ? app->recentFileList() : nullptr;
    std::vector<CMenu::Item> entries;
    if (recent == nullptr || recent->size() == 0) {
        // The placeholder entry of the resource, greyed, stands for an empty list.
        CMenu::Item placeholder;
        placeholder.id = ID_FILE_MRU_FILE1;
        placeholder.text = m_recentPlaceholder;
        placeholder.enabled = false;
        entries.push_back(placeholder);
    } else {
        const size_t shown =
            std::min(recent->size(), static_cast<size_t>(ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1 + 1));
        for (size_t i = 0; i < shown; ++i) {
            CMenu::Item entry;
            entry.id = ID_FILE_MRU_FILE1 + static_cast<int>(i);
            entry.text = recent->menuText(i);
            entries.push_back(entry);
        }
    }
    auto last = std::find_if_not(first, items.end(), isRecent);
    const bool same = std::equal(first, last, entries.begin(), entries.end(),
                                 [](const CMenu::Item& a, const CMenu::Item& b) {
                                     return a.id == b.id && a.text == b.text;
                                 });
    if (same) {
        return false;
    }
    const auto at = items.erase(first, last);
    items.insert(at, entries.begin(), entries.end());
    return true;
}

void CFrameWnd::updateItems(std::vector<CMenu::Item>& items, bool& structureChanged) {
    structureChanged |= updateRecentFiles(items);
    for (CMenu::Item& item : items) {
        if (!item.popup.empty()) {
            updateItems(item.popup, structureChanged);
        }
    }
}

void CFrameWnd::updateCommandUI() {
    if (!IsWindow()) {
        return;
    }
    // The caption follows the document: "Untitled - VTR Configuration".
    if (const CDocument* document = GetActiveDocument();
        document != nullptr && document->GetDocTemplate() != nullptr) {
        const std::string title = document->GetDocTemplate()->frameTitle();
        if (title != GetWindowText()) {
            SetWindowText(title);
        }
    }
    bool structureChanged = false;
    updateItems(m_menu.popups(), structureChanged);
    if (structureChanged && framePeer() != nullptr) {
        framePeer()->menuChanged();
    }
    std::set<int> menuIds;
    const auto collect = [&menuIds](const auto& self,
                                    const std::vector<CMenu::Item>& items) -> void {
        for (const CMenu::Item& item : items) {
            if (!item.popup.empty()) {
                self(self, item.popup);
            } else if (!item.separator) {
                menuIds.insert(item.id);
            }
        }
    };
    collect(collect, m_menu.popups());
    const bool noRecentFiles = AfxGetApp() == nullptr || AfxGetApp()->recentFileList() == nullptr ||
                               AfxGetApp()->recentFileList()->size() == 0;
    for (const int id : menuIds) {
        // The placeholder of an empty recent-file list is greyed whatever the handlers say.
        updateCommand(id, true, id == ID_FILE_MRU_FILE1 && noRecentFiles);
    }
    for (const CToolBar::Button& button : m_toolBar.buttons()) {
        if (button.id != 0 && menuIds.count(button.id) == 0) {
            updateCommand(button.id, false, false);
        }
    }
}

void CFrameWnd::OnIdle() {
    updateCommandUI();
}

bool CFrameWnd::userCommand(int id) {
    if (!takesInput() || id == 0) {
        return false;
    }
    if (m_contextHelp) {
        setContextHelpMode(false);
        if (CWinApp* app = AfxGetApp()) {
            app->WinHelp(HID_BASE_COMMAND + id);
        }
        return true;
    }
    CCmdUI update(id);
    if (!routeUpdate(update)) {
        update.Enable(canRoute(id));
    }
    if (!update.enabled().value_or(true)) {
        return false;
    }
    routeCommand(id);
    if (IsWindow()) {
        updateCommandUI();
    }
    return true;
}

bool CFrameWnd::userKey(unsigned key, uint8_t modifiers) {
    if (m_accelerators == nullptr) {
        return false;
    }
    for (const AcceleratorTemplate& entry : m_accelerators->entries) {
        if (entry.key == key && entry.modifiers == modifiers) {
            return userCommand(entry.commandId);
        }
    }
    return false;
}

void CFrameWnd::userMenuOpening() {
    m_inMenu = true;
    updateCommandUI();
}

void CFrameWnd::userMenuSelect(int id) {
    m_inMenu = true;
    SetMessageText(id == 0 ? std::string() : promptOf(id));
}

void CFrameWnd::userMenuClosed() {
    if (m_inMenu) {
        m_inMenu = false;
        SetMessageText(IDS_IDLE_MESSAGE);
    }
}

bool CFrameWnd::userDropFiles(const std::vector<std::string>& paths) {
    if (!m_acceptFiles || !takesInput() || paths.empty()) {
        return false;
    }
    OnDropFiles(paths);
    if (IsWindow()) {
        updateCommandUI();
    }
    return true;
}

void CFrameWnd::OnDropFiles(const std::vector<std::string>& paths) {
    // One document at a time: the first file is opened.
    if (CWinApp* app = AfxGetApp()) {
        app->OpenDocumentFile(paths.front());
    }
}

void CFrameWnd::userClose() {
    if (takesInput()) {
        OnClose();
    }
}

void CFrameWnd::OnClose() {
    CDocument* document = GetActiveDocument();
    if (document != nullptr) {
        if (!document->SaveModified()) {
            return;
        }
        document->onCloseDocument();
    }
    DestroyWindow();
}

bool CFrameWnd::userHelpClick(const CWnd* window) {
    if (!m_contextHelp || !takesInput()) {
        return false;
    }
    setContextHelpMode(false);
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelp((window != nullptr ? *window : *this).helpContext());
    }
    return true;
}

void CFrameWnd::userCancelContextHelp() {
    setContextHelpMode(false);
}

int CFrameWnd::helpContext() const {
    return HID_BASE_RESOURCE + m_resourceId;
}

void CFrameWnd::setContextHelpMode(bool on) {
    if (m_contextHelp != on) {
        m_contextHelp = on;
        if (framePeer() != nullptr) {
            framePeer()->contextHelpModeChanged();
        }
    }
}
