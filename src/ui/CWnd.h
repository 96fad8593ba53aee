#pragma once

#include "res/DialogTemplate.h"
#include "ui/CControl.h"
#include "ui/ControlState.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class WindowPeer;

// A window: the states of its controls while it exists, its title, which control has the
// focus, and a table that routes control notifications and window messages to the handlers
// its class registers. Timers, posted messages and message boxes go through the current
// backend. Everything runs on the user-interface thread.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    bool IsWindow() const { return m_created; }

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const { return m_title; }

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

    // The controls of the window, in template order (for backends and test drivers).
    ControlState* findControl(int id);
    const ControlState* findControl(int id) const;
    const std::vector<std::unique_ptr<ControlState>>& controls() const { return m_controls; }
    const DialogTemplate* dialogTemplate() const { return m_template; }

    // Entry points for backends: the user acted on a control, or a message arrived.
    long notify(int controlId, int code);
    void dispatchMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
    // Moves the focus on behalf of the user (the backend already shows it).
    void userFocus(int controlId) { m_focusId = controlId; }
    // The user checked a radio button: the others of its group are cleared.
    void userCheckRadio(int controlId);

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

    // Creates the control states of a template; the window then exists.
    void createControls(const DialogTemplate& from);
    // Sends WM_DESTROY, forgets the controls and drops the window's timers and messages.
    void destroyWindow();
    // Focus to the first control that takes it in template order.
    void focusFirstTabStop();

private:
    struct NotifyEntry {
        int controlId;
        int code;
        NotifyHandler handler;
    };
    struct MessageEntry {
        unsigned message;
        MessageHandler handler;
    };

    std::vector<NotifyEntry> m_notifyTable;
    std::vector<MessageEntry> m_messageTable;
    std::vector<std::unique_ptr<ControlState>> m_controls;
    const DialogTemplate* m_template = nullptr;
    std::string m_title;
    int m_focusId = 0;
    bool m_created = false;
    WindowPeer* m_peer = nullptr;
};
