#pragma once

#include "res/DialogTemplate.h"
#include "ui/CControl.h"
#include "ui/ControlState.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CTreeCtrl;
class WindowPeer;

// What a window is to the system that shows it.
enum class WindowKind {
    Frame,  // a top-level main window with a menu, toolbar and status bar around one view
    Dialog, // a top-level window laid out from a template, modal or modeless
    Child,  // a view inside its parent, filling the parent's client area
};

// A window: the states of its controls while it exists, its title, which control has the
// focus, its parent (for a child) or owner (for a top-level window), whether it is shown and
// enabled, the tree controls placed in it, and a table that routes control notifications and
// window messages to the handlers its class registers. Timers, posted messages, message boxes
// and the window's peer go through the current backend. Everything runs on the user-interface
// thread.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    bool IsWindow() const { return m_created; }
    WindowKind windowKind() const { return m_kind; }
    // The parent of a child window, the owner of a top-level one; null for none.
    CWnd* GetParent() const { return m_parent; }
    // A child window's id in its parent.
    int GetDlgCtrlID() const { return m_controlId; }
    // Creates a child window filling its parent's client area (a view).
    bool Create(CWnd& parent, int controlId);
    // Destroys the window and its children (WM_DESTROY to each); nothing when it does not exist.
    void DestroyWindow();

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const { return m_title; }
    // SW_SHOW or SW_HIDE; returns whether the window was visible before.
    bool ShowWindow(int command);
    bool IsWindowVisible() const { return m_visible; }
    // A disabled window takes no user input (an owner while its modal dialog runs); returns
    // whether it was disabled before.
    bool EnableWindow(bool enable = true);
    bool IsWindowEnabled() const { return m_enabled; }

    // A handle on the control with this id, for controls the window keeps no member for.
    CControl GetDlgItem(int controlId);
    // Sets the check of one radio button in first..last and clears the others.
    void CheckRadioButton(int firstId, int lastId, int checkId);
    // The checked radio button in first..last, or 0 when none is checked.
    int GetCheckedRadioButton(int firstId, int lastId) const;
    // Moves the keyboard focus to a control of this window.
    void GotoDlgCtrl(const CControl& control);
    int GetFocusId() const { return m_focusId; }

    // Numbered timer that sends WM_TIMER until it is killed; returns the id, or 0 on failure.
    uintptr_t SetTimer(uintptr_t timerId, unsigned elapseMs);
    bool KillTimer(uintptr_t timerId);
    // Queues a message to this window; it is handled after the current handler returns.
    bool PostMessage(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
    // A message box owned by this window.
    int MessageBox(const std::string& text, const std::string& caption, unsigned style);

    // Runs a modal loop until EndModalLoop and returns its result; -1 when the backend
    // cannot run one. Owners are disabled by the caller (CDialog::DoModal).
    int RunModalLoop();
    void EndModalLoop(int result);
    bool modalEnded() const { return m_modalEnded; }
    int modalResult() const { return m_modalResult; }

    // The window that owns a new modal dialog or message box: the innermost running modal
    // window, else the main window, else none.
    static CWnd* GetActiveWindow();
    static CWnd* mainWindow();
    static void setMainWindow(CWnd* window);

    // The controls of the window, in template order (for backends and test drivers).
    ControlState* findControl(int id);
    const ControlState* findControl(int id) const;
    const std::vector<std::unique_ptr<ControlState>>& controls() const { return m_controls; }
    const DialogTemplate* dialogTemplate() const { return m_template; }
    // Tree controls placed in the window (CTreeCtrl::Create), in the order they came.
    const std::vector<CTreeCtrl*>& trees() const { return m_trees; }
    const std::vector<CWnd*>& children() const { return m_children; }

    // Entry points for backends: a control notifies its window, or a message arrived.
    long notify(int controlId, int code);
    void dispatchMessage(unsigned message, uintptr_t wParam, intptr_t lParam);

    // What the user does, from a backend's peers or a test's scripted user: the one place
    // that decides what each action means. Each returns false, changing nothing, when the
    // action does not apply: no such control, a greyed control or window, a control of
    // another kind, a line out of range.
    // Shown, enabled and not closing: the user can reach it.
    bool takesInput() const;
    // Moves the focus to an enabled control (the backend already shows it).
    bool userFocus(int controlId);
    // Picks a line of a combo or list box (CBN_SELCHANGE, or LBN_SELCHANGE for StyleNotify).
    bool userSelect(int controlId, int index);
    // Replaces the text of an editable edit box (EN_UPDATE, EN_CHANGE).
    bool userType(int controlId, const std::string& text);
    // Clicks a push or radio button (BN_CLICKED); a radio button is checked first and the
    // others of its group cleared.
    bool userClick(int controlId);
    // The user checked a radio button: the others of its group are cleared.
    void userCheckRadio(int controlId);
    // Enter: a line break in a multi-line edit that wants it, else a click on the focused push
    // button, else on the default button (nothing when it is greyed), else on IDOK.
    bool userEnter();
    // Esc or the close box: a click on IDCANCEL, which the window's handler may refuse.
    bool userEscape();
    // F1: the manual at this window's section.
    bool userHelp();

    // What help for this window is about (res/HelpTopics.h): a dialog by its template, a
    // child window by its control id.
    virtual int helpContext() const;

    WindowPeer* peer() const { return m_peer; }
    void setPeer(WindowPeer* peer) { m_peer = peer; }

protected:
    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<long()>;
    using MessageHandler = std::function<void(uintptr_t wParam, intptr_t lParam)>;

    // The message table of the window class, filled by its constructor.
    void onCommand(int controlId, int code, CommandHandler handler);
    void onNotify(int controlId, int code, NotifyHandler handler);
    void onMessage(unsigned message, MessageHandler handler);

    // Handling of notifications the table does not name.
    virtual long defaultNotify(int controlId, int code);

    // Creates the window: its parent or owner, its controls from a template (none for null),
    // then its peer. False when it exists already.
    bool createWindow(WindowKind kind, CWnd* parent, const DialogTemplate* from);
    // Focus to the first control that takes it in template order.
    void focusFirstTabStop();

private:
    friend class CTreeCtrl;

    struct NotifyEntry {
        int controlId;
        int code;
        NotifyHandler handler;
    };
    struct MessageEntry {
        unsigned message;
        MessageHandler handler;
    };

    // The enabled control with this id in a window that takes input, or null.
    ControlState* usableControl(int controlId);
    void addTree(CTreeCtrl& tree);
    void removeTree(CTreeCtrl& tree);
    // The windows inside or owned by this one go first, as they stand on it.
    void destroyChildren();
    // Drops the peer and whatever the backend holds, the trees and the parent's link.
    void release();

    std::vector<NotifyEntry> m_notifyTable;
    std::vector<MessageEntry> m_messageTable;
    std::vector<std::unique_ptr<ControlState>> m_controls;
    std::vector<CTreeCtrl*> m_trees;
    std::vector<CWnd*> m_children;
    const DialogTemplate* m_template = nullptr;
    CWnd* m_parent = nullptr;
    WindowKind m_kind = WindowKind::Dialog;
    std::string m_title;
    int m_focusId = 0;
    int m_controlId = 0;
    bool m_created = false;
    bool m_visible = false;
    bool m_enabled = true;
    bool m_inModalLoop = false;
    bool m_modalEnded = false;
    int m_modalResult = 0;
    WindowPeer* m_peer = nullptr;
};
