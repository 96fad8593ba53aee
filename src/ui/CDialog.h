#pragma once

#include "res/DialogTemplate.h"
#include "ui/CWnd.h"

class CDataExchange;

// A dialog built from a dialog template, modal or modeless. Creating it builds the window
// from the template, binds the control members (DoDataExchange) and lets the dialog fill its
// controls (OnInitDialog). DoModal runs it over its owner, which is disabled meanwhile, until
// EndDialog; Create shows it beside the other windows until DestroyWindow. "OK" (id 1, also
// Enter) calls OnOK and "Cancel" (id 2, also Esc and the close box) calls OnCancel unless the
// message table says otherwise. The object outlives its windows: one object can be run many
// times.
class CDialog : public CWnd {
public:
    // The owner is the parent given here, else the window active when the dialog opens.
    explicit CDialog(int templateId, CWnd* parent = nullptr);
    explicit CDialog(const DialogTemplate& from, CWnd* parent = nullptr);

    // IDOK, IDCANCEL or another EndDialog code; -1 when the window cannot be created.
    int DoModal();
    // Creates and shows the dialog without a modal loop; false when it cannot be created.
    bool Create(CWnd* parent = nullptr);
    // Ends the modal loop with this result; a modeless dialog is hidden.
    void EndDialog(int result);

    int templateId() const { return m_templateId; }

    // For backends and the gallery: create and initialise the window, owned by owner (false
    // when its template is missing or the window exists), and destroy it.
    bool createWindow(CWnd* owner = nullptr);
    void closeWindow() { DestroyWindow(); }

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
    CWnd* m_parentWnd;
};
