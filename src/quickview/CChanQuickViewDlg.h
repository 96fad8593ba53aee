#pragma once

#include "quickview/ChannelLists.h"
#include "quickview/LiveChannel.h"
#include "ui/CDialog.h"
#include "ui/CListBox.h"
#include "ui/CStatic.h"

#include <cstdint>

class CVtrConfigDoc;

// "Quick Channel View": the live values of the configured channels of one panel at a time.
// It reads one channel per step of a window timer, so the window stays responsive between
// reads, and lets the user write a new value to an output by clicking its line. It reads and
// writes the unit through the document's live access and changes nothing in the document.
class CChanQuickViewDlg : public CDialog {
public:
    static constexpr const char* noChannelsMessage =
        "No channels have been configured (all are set to \"vacant\").";

    // Delays of the polling cadence, in milliseconds.
    static constexpr unsigned openingDelayMs = 20;
    static constexpr unsigned panelChangeDelayMs = 10;
    static constexpr unsigned channelDelayMs = LiveChannel::channelDelayMs;
    static constexpr unsigned passPauseMs = LiveChannel::passPauseMs;

    CChanQuickViewDlg();

    // The View menu command: lists the configured channels of the document's unit and shows
    // them, or says that there are none.
    static void Show(CVtrConfigDoc& doc);

    void SetDocument(CVtrConfigDoc* doc) { m_pDoc = doc; }
    int BuildChannelLists();
    void SetOutputValue(uint16_t value) { m_outputValue = value; }
    bool GetSelectedPanel(int& kind, int& index) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;

private:
    static constexpr uintptr_t pollTimer = 1;

    void StartTimer(unsigned delayMs);
    void OnTimer();
    void OnPollStep();
    void OnSelChange();
    void ActOnSelection();
    void OnDestroy();
    void SetRedraw(bool redraw);
    // After a successful write the entry's line goes, and the next step reads it at once.
    void RereadAfterWrite(ChannelEntry& entry, int line);
    void ShowWriteError(int code);

    uintptr_t m_timerId = 0;
    CVtrConfigDoc* m_pDoc = nullptr;
    uint16_t m_outputValue = 0;
    CListBox m_list;
    int32_t m_row = 0;
    bool m_firstPass = true;
    int32_t m_curPanel = -1;
    int32_t m_curKind = -1;
    bool m_pollActive = false;
    ChannelLists m_channels;
    CStatic m_status;
};
