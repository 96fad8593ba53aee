#pragma once

#include <string>

class CWnd;
struct ControlState;

// A handle on one control of a window, attached by id (DDX_Control). It reads and changes the
// control's state while the window exists; before that, or after the window is destroyed,
// every operation does nothing and returns its failure value.
class CControl {
public:
    CControl() = default;
    virtual ~CControl() = default;

    void attach(CWnd* owner, int controlId);
    CWnd* owner() const { return m_owner; }
    int GetDlgCtrlID() const { return m_id; }
    bool IsValid() const { return state() != nullptr; }

    // Enables or greys the control; returns whether it was greyed before.
    bool EnableWindow(bool enable = true);
    bool IsWindowEnabled() const;
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void SetFocus();
    // Paints the control anew (after changes made with its redraw off, for instance).
    void Invalidate();

protected:
    ControlState* state() const;

private:
    CWnd* m_owner = nullptr;
    int m_id = 0;
};
