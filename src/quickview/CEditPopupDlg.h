#pragma once

#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"

#include <cstdint>
#include <string>

class CChanQuickViewDlg;

// "Edit Analog Output": asks for the new live value of one analog output. The edit box starts
// empty; "OK" stays greyed while it is. An accepted value goes to the owner's SetOutputValue.
class CEditPopupDlg : public CDialog {
public:
    static constexpr size_t maxTitle = 79;
    static constexpr const char* invalidValueMessage =
        "Invalid output value.  Must be between 0 and 65535; prefix with 0x for hex.";

    CEditPopupDlg();

    void SetContext(CChanQuickViewDlg* owner, const std::string& title);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    void OnEditUpdate();

    CEdit m_edit;
    CButton m_okButton;
    CChanQuickViewDlg* m_owner = nullptr;
    std::string m_title;
};
