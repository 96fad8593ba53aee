#pragma once

#include "res/ResourceIds.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDataExchange.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/CListBox.h"
#include "ui/UiConstants.h"

#include <string>
#include <vector>

// A dialog on the sample template that writes down every life-cycle call and notification.
class SampleDialog : public CDialog {
public:
    SampleDialog() : CDialog(IDD_CONTROL_SAMPLE) {
        onCommand(IDC_SAMPLE_COMBO, CBN_SELCHANGE, [this] { log.push_back("selchange"); });
        onCommand(IDC_SAMPLE_EDIT, EN_UPDATE, [this] { log.push_back("update"); });
        onCommand(IDC_SAMPLE_LIST, LBN_SELCHANGE,
                  [this] { log.push_back("list " + std::to_string(m_list.GetCurSel())); });
        onCommand(IDC_SAMPLE_APPLY, BN_CLICKED, [this] { log.push_back("apply"); });
        onMessage(WM_DESTROY, [this](uintptr_t, intptr_t) { log.push_back("destroy"); });
    }

    std::vector<std::string> log;
    CComboBox m_choice;
    CEdit m_value;
    CListBox m_list;
    CButton m_ok;
    bool refuseOk = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        log.push_back("exchange");
        DDX_Control(pDX, IDC_SAMPLE_COMBO, m_choice);
        DDX_Control(pDX, IDC_SAMPLE_EDIT, m_value);
        DDX_Control(pDX, IDC_SAMPLE_LIST, m_list);
        DDX_Control(pDX, IDOK, m_ok);
    }
    int OnInitDialog() override {
        CDialog::OnInitDialog();
        log.push_back("init");
        m_choice.AddString("RS232");
        m_choice.AddString("RS485");
        m_choice.SetCurSel(1);
        m_value.SetWindowText("17");
        return 1;
    }
    void OnOK() override {
        log.push_back("ok");
        if (!refuseOk) {
            CDialog::OnOK();
        }
    }
    void OnCancel() override {
        log.push_back("cancel");
        CDialog::OnCancel();
    }
};
