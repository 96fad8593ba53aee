#include "quickview/CChanQuickViewDlg.h"

#include "device/CVtrConfigDoc.h"
#include "modbus/MbusError.h"
#include "quickview/CEditPopupDlg.h"
#include "quickview/LiveChannel.h"
#include "res/ResourceIds.h"
#include "ui/CButton.h"
#include "ui/CDataExchange.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

#include <array>
#include <cstdio>

namespace {

// Tab stops of the list, in dialog units: channel number, "Input"/"Output", value.
constexpr std::array<int, 3> listTabStops = {5, 17, 50};

int panelButton(PanelKind kind, int index) {
    return (kind == PanelKind::analog ? IDC_QV_ANALOG_PANEL_0 : IDC_QV_DIGITAL_PANEL_0) + index;
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char text[100];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

} // namespace

CChanQuickViewDlg::CChanQuickViewDlg() : CDialog(IDD_CHAN_QUICK_VIEW) {
    onCommand(IDC_QV_CLOSE, BN_CLICKED, [this] { OnOK(); });
    onMessage(WM_TIMER, [this](uintptr_t, intptr_t) { OnTimer(); });
    onMessage(WM_USER, [this](uintptr_t, intptr_t) { OnPollStep(); });
    onCommand(IDC_QV_LIST, LBN_SELCHANGE, [this] { OnSelChange(); });
    onMessage(WM_DESTROY, [this](uintptr_t, intptr_t) { OnDestroy(); });
}

void CChanQuickViewDlg::Show(CVtrConfigDoc& doc) {
    CChanQuickViewDlg dialog;
    dialog.SetDocument(&doc);
    if (dialog.BuildChannelLists() == 0) {
        AfxMessageBox(noChannelsMessage);
        return;
    }
    dialog.DoModal();
}

int CChanQuickViewDlg::BuildChannelLists() {
    return m_channels.build(*m_pDoc);
}

bool CChanQuickViewDlg::GetSelectedPanel(int& kind, int& index) const {
    const int checked = GetCheckedRadioButton(IDC_QV_ANALOG_PANEL_0, IDC_QV_LAST_PANEL);
    if (checked == 0) {
        return false;
    }
    const bool analog = checked < IDC_QV_DIGITAL_PANEL_0;
    kind = static_cast<int>(analog ? PanelKind::analog : PanelKind::digital);
    index = checked - (analog ? IDC_QV_ANALOG_PANEL_0 : IDC_QV_DIGITAL_PANEL_0);
    return true;
}

void CChanQuickViewDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_QV_LIST, m_list);
    DDX_Control(pDX, IDC_QV_STATUS, m_status);
}

int CChanQuickViewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_timerId = 0;
    m_list.SetTabStops(listTabStops);
    int first = 0;
    for (const PanelKind kind : {PanelKind::analog, PanelKind::digital}) {
        for (int index = 0; index < ChannelLists::panelCount(kind); ++index) {
            const bool listed = m_channels.panel(kind, index).count > 0;
            GetDlgItem(panelButton(kind, index)).EnableWindow(listed);
            if (listed && first == 0) {
                first = panelButton(kind, index);
            }
        }
    }
    if (first != 0) {
        CheckRadioButton(IDC_QV_ANALOG_PANEL_0, IDC_QV_LAST_PANEL, first);
    }
    m_curPanel = m_curKind = -1;
    m_list.AddString("Reading from device...");
    StartTimer(openingDelayMs);
    return 1;
}

void CChanQuickViewDlg::StartTimer(unsigned delayMs) {
    m_timerId = SetTimer(pollTimer, delayMs);
    m_pollActive = true;
}

void CChanQuickViewDlg::OnTimer() {
    if (!m_pollActive) {
        return;
    }
    KillTimer(pollTimer);
    PostMessage(WM_USER);
}

void CChanQuickViewDlg::SetRedraw(bool redraw) {
    m_list.SetRedraw(redraw);
}

void CChanQuickViewDlg::OnPollStep() {
    int kind = 0;
    int index = 0;
    if (!GetSelectedPanel(kind, index)) {
        return;
    }
    if (index != m_curPanel || kind != m_curKind) {
        m_list.ResetContent();
        m_channels.clearShown();
        SetRedraw(true);
        m_firstPass = true;
        m_curPanel = index;
        m_curKind = kind;
        m_row = 0;
        StartTimer(panelChangeDelayMs);
        return;
    }
    if (m_row == 0) {
        m_status.SetWindowText("reading...");
    }
    if (m_firstPass) {
        m_firstPass = false;
    } else if (m_row == 0) {
        // Later passes replace their lines unseen and repaint once at the end.
        SetRedraw(false);
    }

    const PanelKind panelKind = static_cast<PanelKind>(kind);
    PanelChannels& panel = m_channels.panel(panelKind, index);
    if (m_row >= static_cast<int32_t>(panel.count)) {
        return; // a panel without channels cannot be checked: nothing to poll
    }
    ChannelEntry& entry = panel.entries[static_cast<size_t>(m_row)];
    // Outputs change only when written, so each is read once and again after a write.
    if (!(entry.shown && !entry.isInput)) {
        const std::string text =
            LiveChannel::read(*m_pDoc, panelKind, index, entry, m_pDoc->getHexDisplay() != 0);
        // A line read again stays where the keyboard may be on it.
        const int caret = m_list.GetCaretIndex();
        if (entry.shown) {
            m_list.DeleteString(m_row);
        } else {
            entry.shown = true;
        }
        m_list.InsertString(m_row, format("\t%d\t%s\t%s", entry.channel,
                                          entry.isInput ? "Input" : "Output", text.c_str()));
        m_list.SetCaretIndex(caret);
    }

    ++m_row;
    if (m_row < static_cast<int32_t>(panel.count)) {
        StartTimer(channelDelayMs);
        return;
    }
    m_row = 0;
    SetRedraw(true);
    m_list.Invalidate();
    m_status.SetWindowText("paused");
    StartTimer(passPauseMs);
}

void CChanQuickViewDlg::OnSelChange() {
    m_pollActive = false;
    const int clicked = m_list.GetCurSel();
    SetRedraw(true);
    m_list.SetCurSel(clicked);
    m_list.Invalidate();
    ActOnSelection();
    SetRedraw(true);
    m_list.SetCurSel(-1);
    m_list.Invalidate();
    m_pollActive = true;
}

void CChanQuickViewDlg::ActOnSelection() {
    const int sel = m_list.GetCurSel();
    int kind = 0;
    int index = 0;
    if (sel == LB_ERR || !GetSelectedPanel(kind, index)) {
        return;
    }
    const PanelKind panelKind = static_cast<PanelKind>(kind);
    PanelChannels& panel = m_channels.panel(panelKind, index);
    // The list's line i is entry i; "Reading from device..." and lines of a panel not yet
    // taken up match no entry.
    if (sel >= static_cast<int>(panel.count) || kind != m_curKind || index != m_curPanel) {
        return;
    }
    ChannelEntry& entry = panel.entries[static_cast<size_t>(sel)];
    if (entry.isInput) {
        return;
    }

    if (panelKind == PanelKind::analog) {
        CEditPopupDlg popup;
        popup.SetContext(this, format("Analog Panel %d Chan %d", index, entry.channel));
        const int result = popup.DoModal();
        if (result == -1) {
            AfxMessageBox("Dialog box could not be created!", MB_OK | MB_ICONWARNING);
        } else if (result == IDOK) {
            const int written = LiveChannel::write(*m_pDoc, panelKind, index, entry, m_outputValue);
            if (written != MBUS_SUCCESS) {
                ShowWriteError(written);
            } else {
                RereadAfterWrite(entry, sel);
            }
        }
        return;
    }

    const int newValue = entry.value == 0 ? 1 : 0;
    if (MessageBox(format("Toggle digital output to a %d?", newValue),
                   format("Digital Panel %d Chan %d", index, entry.channel), MB_YESNO) != IDYES) {
        return;
    }
    const int written =
        LiveChannel::write(*m_pDoc, panelKind, index, entry, static_cast<uint16_t>(newValue));
    if (written != MBUS_SUCCESS) {
        ShowWriteError(written);
    } else {
        RereadAfterWrite(entry, sel);
    }
}

void CChanQuickViewDlg::RereadAfterWrite(ChannelEntry& entry, int line) {
    entry.shown = false;
    m_list.DeleteString(line);
    m_row = line;
}

void CChanQuickViewDlg::ShowWriteError(int code) {
    AfxMessageBox(format("Error %d:  %-35.35s", code, errorText(code)), MB_OK | MB_ICONWARNING);
}

void CChanQuickViewDlg::OnDestroy() {
    if (m_timerId != 0) {
        KillTimer(pollTimer);
        m_timerId = 0;
    }
}
