#include "app/CTrafficLogDlg.h"

#include "device/BlockLocator.h"
#include "device/CVtrConfigDoc.h"
#include "device/RegisterMap.h"
#include "res/ResourceIds.h"
#include "tree/TrafficEntryText.h"
#include "tree/TrafficMeaning.h"
#include "ui/CDataExchange.h"
#include "ui/FileAccess.h"
#include "ui/FileDialog.h"
#include "ui/UiBackend.h"
#include "ui/UiConstants.h"

#include <algorithm>

namespace {

constexpr const char* kShowChoices[] = {"All transactions", "Errors only"};
constexpr int kErrorsOnly = 1;
// The block list: "All blocks", then the blocks in register map order.
constexpr int kAllBlocks = 0;

} // namespace

CTrafficLogDlg::CTrafficLogDlg(CVtrConfigDoc& document)
    : CDialog(IDD_TRAFFIC_LOG), m_document(document) {
    onMessage(WM_TIMER, [this](uintptr_t, intptr_t) { Refresh(); });
    onCommand(IDC_TL_LIST, LBN_SELCHANGE, [this] { ShowSelection(false); });
    for (const int filter : {IDC_TL_SHOW, IDC_TL_BLOCK}) {
        onCommand(filter, CBN_SELCHANGE, [this] {
            Rebuild();
            ShowSelection(true);
            ShowStatus();
        });
    }
    onCommand(IDC_TL_PAUSE, BN_CLICKED, [this] { OnPause(); });
    onCommand(IDC_TL_COPY, BN_CLICKED, [this] { OnCopy(); });
    onCommand(IDC_TL_SAVE_AS, BN_CLICKED, [this] { OnSaveAs(); });
}

void CTrafficLogDlg::Open(CWnd* owner) {
    if (IsWindow()) {
        ShowWindow(SW_SHOW);
        return;
    }
    Create(owner);
}

void CTrafficLogDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_TL_SHOW, m_show);
    DDX_Control(pDX, IDC_TL_BLOCK, m_block);
    DDX_Control(pDX, IDC_TL_LIST, m_list);
    DDX_Control(pDX, IDC_TL_DETAIL, m_detail);
    DDX_Control(pDX, IDC_TL_STATUS, m_status);
}

int CTrafficLogDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const char* choice : kShowChoices) {
        m_show.AddString(choice);
    }
    m_show.SetCurSel(0);
    m_block.AddString("All blocks");
    for (const RegisterBlock& block : RegisterMap::blocks) {
        m_block.AddString(TrafficMeaning::blockName(block.id));
    }
    m_block.SetCurSel(kAllBlocks);
    m_entries.clear();
    m_lines.clear();
    m_last = 0;
    m_paused = false;
    m_hex = m_document.getHexDisplay();
    Refresh();
    ShowStatus();
    SetTimer(refreshTimer, refreshMs);
    return 1;
}

void CTrafficLogDlg::OnCancel() {
    // Closing ends the window and lets go of its copies; opening again starts from the log.
    DestroyWindow();
    m_entries.clear();
    m_lines.clear();
}

void CTrafficLogDlg::Refresh() {
    if (m_paused || !IsWindow()) {
        return;
    }
    std::vector<TrafficEntry> fresh = m_document.trafficLog().entriesAfter(m_last);
    const int hex = m_document.getHexDisplay();
    if (fresh.empty() && hex == m_hex) {
        return;
    }
    const int selected = m_list.GetCurSel();
    const bool follow = selected < 0 || selected == m_list.GetCount() - 1;
    m_list.SetRedraw(false);
    for (TrafficEntry& entry : fresh) {
        m_last = entry.sequence;
        if (shown(entry)) {
            m_list.AddString(line(entry));
            m_lines.push_back(entry.sequence);
        }
        m_entries.push_back(std::move(entry));
    }
    while (m_entries.size() > m_document.trafficLog().capacity()) {
        if (!m_lines.empty() && m_lines.front() == m_entries.front().sequence) {
            m_list.DeleteString(0);
            m_lines.pop_front();
        }
        m_entries.pop_front();
    }
    if (hex != m_hex) {
        m_hex = hex;
        Rebuild();
    }
    m_list.SetRedraw(true);
    ShowSelection(follow);
    ShowStatus();
}

bool CTrafficLogDlg::shown(const TrafficEntry& entry) const {
    if (m_show.GetCurSel() == kErrorsOnly && entry.result == 0) {
        return false;
    }
    const int block = m_block.GetCurSel();
    if (block <= kAllBlocks) {
        return true;
    }
    const auto spot = BlockLocator::locate(entry.function, entry.address);
    return spot && spot->block->id == RegisterMap::blocks[static_cast<size_t>(block - 1)].id;
}

std::string CTrafficLogDlg::line(const TrafficEntry& entry) const {
    std::string text = TrafficEntryText::summary(entry, m_hex);
    if (text.size() > maxLineLength) {
        text.resize(maxLineLength - 3);
        text += "...";
    }
    return text;
}

void CTrafficLogDlg::Rebuild() {
    m_list.SetRedraw(false);
    m_list.ResetContent();
    m_lines.clear();
    for (const TrafficEntry& entry : m_entries) {
        if (shown(entry)) {
            m_list.AddString(line(entry));
            m_lines.push_back(entry.sequence);
        }
    }
    m_list.SetRedraw(true);
}

void CTrafficLogDlg::ShowSelection(bool follow) {
    if (follow && m_list.GetCount() > 0) {
        m_list.SetCurSel(m_list.GetCount() - 1);
    }
    const int selected = m_list.GetCurSel();
    if (selected < 0 || static_cast<size_t>(selected) >= m_lines.size()) {
        m_detail.SetWindowText("");
        return;
    }
    const uint64_t sequence = m_lines[static_cast<size_t>(selected)];
    const auto entry = std::lower_bound(
        m_entries.begin(), m_entries.end(), sequence,
        [](const TrafficEntry& held, uint64_t wanted) { return held.sequence < wanted; });
    m_detail.SetWindowText(entry != m_entries.end() ? TrafficEntryText::full(*entry, m_hex) : "");
}

void CTrafficLogDlg::ShowStatus() {
    std::string text = std::to_string(m_lines.size()) + " of " + std::to_string(m_entries.size()) +
                       " transactions shown";
    m_status.SetWindowText(m_paused ? text + " (paused)" : text);
}

std::string CTrafficLogDlg::shownText() const {
    std::string text;
    size_t line = 0;
    for (const TrafficEntry& entry : m_entries) {
        if (line < m_lines.size() && m_lines[line] == entry.sequence) {
            text += TrafficEntryText::full(entry, m_hex);
            ++line;
        }
    }
    return text;
}

void CTrafficLogDlg::OnPause() {
    m_paused = !m_paused;
    GetDlgItem(IDC_TL_PAUSE).SetWindowText(m_paused ? "&Resume" : "&Pause");
    Refresh();
    ShowStatus();
}

void CTrafficLogDlg::OnCopy() {
    const int selected = m_list.GetCurSel();
    currentBackend().setClipboardText(selected >= 0 ? m_detail.GetWindowText() : shownText());
}

void CTrafficLogDlg::OnSaveAs() {
    FileDialogRequest request;
    request.open = false;
    request.title = "Save Traffic Log";
    request.filter = "Text Files (*.txt);;All Files (*.*)";
    request.defaultExtension = ".txt";
    request.initialPath = "traffic-log.txt";
    std::string path;
    if (ShowFileDialog(this, request, path) != IDOK) {
        return;
    }
    const std::string text = shownText();
    std::string reason;
    switch (FileAccess::writeAtomically(
        path, {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, reason)) {
    case FileAccess::WriteResult::written:
        return;
    case FileAccess::WriteResult::refused:
        MessageBox("Cannot create " + path + ": " + reason + ".", "Traffic Log",
                   MB_OK | MB_ICONERROR);
        return;
    case FileAccess::WriteResult::failed:
        MessageBox("Cannot write " + path + " (" + reason + "). Any previous file is unchanged.",
                   "Traffic Log", MB_OK | MB_ICONERROR);
        return;
    }
}
