#pragma once

class CControl;
class CWnd;

// Binds a window's control members to its controls when the window is created. No values pass
// through it: the dialogs fill their controls in OnInitDialog and read them in OnOK.
class CDataExchange {
public:
    explicit CDataExchange(CWnd& window) : m_window(window) {}
    CWnd& window() const { return m_window; }

private:
    CWnd& m_window;
};

// Attaches a control member to the control with this id.
void DDX_Control(CDataExchange* pDX, int controlId, CControl& control);
