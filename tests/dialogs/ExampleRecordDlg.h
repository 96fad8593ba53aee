#pragma once

#include "dialogs/ChoiceList.h"
#include "dialogs/DisplayNumber.h"
#include "dialogs/FieldCheck.h"
#include "dialogs/GroupCaption.h"
#include "res/ResourceIds.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDataExchange.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"

#include <cstdint>

// A small configuration dialog written the way the real ones are: it edits a copy of a record
// (SetData before every run, GetData only after IDOK), fills a choice list by position,
// shows numbers in the display form and checks its fields in a fixed order on "Configure".
class ExampleRecordDlg : public CDialog {
public:
    struct Record {
        uint16_t scanMode = 0;
        uint16_t scanIntervalMs = 0;
        int16_t defaultOutput = 0;
    };

    ExampleRecordDlg() : CDialog(IDD_CONTROL_SAMPLE) {}

    void SetData(const Record& record, int panel, bool hexDisplay) {
        m_record = record;
        m_panel = panel;
        m_hexDisplay = hexDisplay;
    }
    Record GetData() const { return m_record; }

    static constexpr const char* kIntervalMessage =
        "Invalid Scan Rate\n\nPlease enter a value in the range of 0 (0x0000) to 65535 (0xFFFF)";
    static constexpr const char* kOutputMessage =
        "Invalid Default Output\n\nPlease enter a value in the range of -32768 (0x8000) to "
        "32767 (0x7FFF)";

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_SAMPLE_GROUP, m_group);
        DDX_Control(pDX, IDC_SAMPLE_COMBO, m_scanMode);
        DDX_Control(pDX, IDC_SAMPLE_EDIT, m_interval);
        DDX_Control(pDX, IDC_SAMPLE_SIGNED_EDIT, m_output);
    }
    int OnInitDialog() override {
        CDialog::OnInitDialog();
        m_group.SetWindowText(AnalogPanelCaption(m_panel));
        static constexpr const char* kModes[] = {"Continuous", "User-Defined"};
        FillChoiceList(m_scanMode, kModes, m_record.scanMode);
        m_interval.SetWindowText(DisplayUInt16(m_record.scanIntervalMs, m_hexDisplay));
        m_output.SetWindowText(DisplayInt16(m_record.defaultOutput, m_hexDisplay));
        return 1;
    }
    void OnOK() override {
        m_record.scanMode = static_cast<uint16_t>(m_scanMode.GetCurSel());
        FieldCheck check(*this);
        check.readUInt16(m_interval, m_record.scanIntervalMs, kIntervalMessage);
        check.readInt16(m_output, m_record.defaultOutput, kOutputMessage);
        if (check.passed()) {
            CDialog::OnOK();
        }
    }

private:
    Record m_record;
    int m_panel = 0;
    bool m_hexDisplay = false;
    CButton m_group;
    CComboBox m_scanMode;
    CEdit m_interval;
    CEdit m_output;
};
