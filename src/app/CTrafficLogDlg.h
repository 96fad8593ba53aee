#pragma once

#include "device/TrafficEntry.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/CListBox.h"
#include "ui/CStatic.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class CVtrConfigDoc;

// "Traffic Log": a modeless window over the document's traffic log. It shows the last 10,000
// transactions with the unit, one line each with its meaning, newest last; the selected one in
// full below, with its bytes. A filter keeps failed transactions only, or one block's; Pause
// stops taking new entries (the log keeps recording); Copy puts the selected entry, or with
// none selected every shown one, on the clipboard; Save As writes the shown entries to a text
// file. New entries are fetched on a timer: the masters never call the window.
class CTrafficLogDlg : public CDialog {
public:
    static constexpr unsigned refreshMs = 250;
    // A line of the list stops here; the entry below shows the whole meaning.
    static constexpr size_t maxLineLength = 400;

    explicit CTrafficLogDlg(CVtrConfigDoc& document);

    // Opens the window, or shows it again when it is open.
    void Open(CWnd* owner);
    // Takes the entries recorded since the last time (also on the timer).
    void Refresh();

    // The text Save As writes: every shown entry in full.
    std::string shownText() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnCancel() override;

private:
    static constexpr uintptr_t refreshTimer = 1;

    bool shown(const TrafficEntry& entry) const;
    std::string line(const TrafficEntry& entry) const;
    // Rebuilds the list from the entries held, after the filter or the number base changed.
    void Rebuild();
    // Selects the newest line when the user follows the newest (the last line or none is
    // selected), and shows the selected entry below.
    void ShowSelection(bool follow);
    void ShowStatus();
    void OnPause();
    void OnCopy();
    void OnSaveAs();

    CVtrConfigDoc& m_document;
    CComboBox m_show;
    CComboBox m_block;
    CListBox m_list;
    CEdit m_detail;
    CStatic m_status;
    // The entries taken from the log, oldest first, and which of them the list shows.
    std::deque<TrafficEntry> m_entries;
    std::deque<uint64_t> m_lines;
    uint64_t m_last = 0;
    int m_hex = 0;
    bool m_paused = false;
};
