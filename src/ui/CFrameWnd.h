#pragma once

#include "res/FrameResources.h"
#include "ui/CCmdTarget.h"
#include "ui/CMenu.h"
#include "ui/CStatusBar.h"
#include "ui/CToolBar.h"
#include "ui/CWnd.h"

#include <span>
#include <string>
#include <vector>

class CDocument;
class CView;
class FramePeer;

// A main window: a menu bar, an optional toolbar and a status bar around one view, all built
// from the resources of one id. Commands from the menu, the toolbar and the accelerators
// travel view, document, frame, application; the update handlers on that road set every
// entry's enable, check and text before a menu opens, on idle and after each command. A
// command that no target handles is greyed.
class CFrameWnd : public CWnd, public CCmdTarget {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame from the menu, accelerators and toolbar of resourceId (the toolbar
    // and accelerators are optional) with these status bar panes; then OnCreate. False when
    // the menu is missing, the frame exists or OnCreate fails.
    bool LoadFrame(int resourceId, std::span<const int> indicators);

    // The view filling the client area; commands reach it and its document first.
    void SetActiveView(CView* view);
    CView* GetActiveView() const { return m_view; }
    CDocument* GetActiveDocument() const;

    const CMenu& GetMenu() const { return m_menu; }
    const CToolBar& toolBar() const { return m_toolBar; }
    const CStatusBar& statusBar() const { return m_statusBar; }
    const AcceleratorTable* accelerators() const { return m_accelerators; }
    int resourceId() const { return m_resourceId; }

    // The message pane of the status bar.
    void SetMessageText(const std::string& text);
    void SetMessageText(int stringId);
    std::string GetMessageText() const { return m_statusBar.GetPaneText(0); }
    void ShowToolBar(bool show);
    void ShowStatusBar(bool show);
    // Whether dropped files are taken (OnDropFiles).
    void DragAcceptFiles(bool accept = true) { m_acceptFiles = accept; }

    // Recomputes every menu entry and toolbar button through the update handlers.
    void updateCommandUI();
    // The user-interface thread has nothing else to do.
    void OnIdle();

    // What the user does, from a backend's peer or a test's scripted user.
    // A menu entry, toolbar button or accelerator chose a command; false when it is greyed
    // or the frame takes no input.
    bool userCommand(int id);
    // A key with modifiers (FSHIFT, FCONTROL, FALT); false when no accelerator has it.
    bool userKey(unsigned key, uint8_t modifiers);
    // A popup of the menu bar is about to open.
    void userMenuOpening();
    // The highlight moved to a menu entry (0: to none, or to a popup): its prompt is shown.
    void userMenuSelect(int id);
    // The menu closed: the idle text again.
    void userMenuClosed();
    // Files were dropped on the frame; false when it takes none.
    bool userDropFiles(const std::vector<std::string>& paths);
    // The close box, or File Exit.
    void userClose();

    // Context help (Shift+F1, or the toolbar's help button): until the next click the cursor
    // asks "help on what?". A command chosen then, greyed or not, is not run: the manual opens
    // at its section. A click elsewhere goes to userHelpClick, Esc to userCancelContextHelp.
    bool contextHelpMode() const { return m_contextHelp; }
    // The click of context help landed on a window of the frame: its view, or the frame itself
    // (null: status bar, toolbar, border). False when the frame is not in that mode.
    bool userHelpClick(const CWnd* window);
    void userCancelContextHelp();

    int helpContext() const override;

    // The status text of a command: its string up to the '\n'.
    static std::string promptOf(int id);

    // For the backend's peer of the frame.
    void setFramePeer(FramePeer* peer) { m_framePeer = peer; }
    FramePeer* framePeer() const { return m_framePeer; }

protected:
    // The frame exists; false ends the creation.
    virtual bool OnCreate();
    // Asks the document whether to save, closes it and destroys the frame.
    virtual void OnClose();
    // Opens the first dropped file through the application.
    virtual void OnDropFiles(const std::vector<std::string>& paths);

    void commandChain(std::vector<CCmdTarget*>& chain) override;

private:
    void updateItems(std::vector<CMenu::Item>& items, bool& structureChanged);
    bool updateRecentFiles(std::vector<CMenu::Item>& items);
    void updateCommand(int id, bool isMenuItem, bool greyed);
    void setContextHelpMode(bool on);

    int m_resourceId = 0;
    CMenu m_menu;
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    const AcceleratorTable* m_accelerators = nullptr;
    CView* m_view = nullptr;
    FramePeer* m_framePeer = nullptr;
    std::string m_recentPlaceholder; // "Recent File", greyed while the list is empty
    bool m_acceptFiles = false;
    bool m_inMenu = false;
    bool m_contextHelp = false;
};
