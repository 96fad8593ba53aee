#pragma once

#include "res/DialogTemplate.h"
#include "ui/CWnd.h"

class CDataExchange;

// A modal dialog built from a dialog template. DoModal creates the window from the template,
// binds the control members (DoDataExchange), lets the dialog fill its controls
// (OnInitDialog), and runs until EndDialog; "OK" (id 1, also Enter) calls OnOK and "Cancel"
// (id 2, also Esc and the close box) calls OnCancel unless the message table says otherwise.
// The object outlives its windows: one object can be run many times.
class CDialog : public CWnd {
public:
    explicit CDialog(int templateId);
    explicit CDialog(const DialogTemplate& from);

    // IDOK, IDCANCEL or another EndDialog code; -1 when the window cannot be created.
    int DoModal();
    void EndDialog(int result);

    int templateId() const { return m_templateId; }

    // For backends: create and initialise the window (false when its template is missing),
    // whether and how the modal run has ended, and the teardown after the loop.
    bool createWindow();
    bool modalEnded() const { return m_ended; }
    int modalResult() const { return m_result; }
    void closeWindow();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Returns nonzero to have the focus put on the first control that takes it.
    virtual int OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    long defaultNotify(int controlId, int code) override;

private:
    int m_templateId;
    const DialogTemplate* m_template;
    bool m_ended = false;
    int m_result = 0;
};
