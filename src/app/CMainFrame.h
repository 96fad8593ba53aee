#pragma once

#include "app/CFindUnitDlg.h"
#include "app/CMakeConnectionDlg.h"
#include "app/CTrafficLogDlg.h"
#include "modbus/Clock.h"
#include "tree/CVtrConfigView.h"
#include "ui/CFrameWnd.h"

class CVtrConfigDoc;

// The main window: the menu, accelerators and toolbar of resource 128, a status bar with the
// message pane and the CAP, NUM and SCRL indicators, and the configuration tree as its view.
// Its commands are thin: they ask the document to do the work, decide from the document when
// they are enabled, and show what runs in the status bar while they wait for the unit. Each
// flow that talks to the unit is a busy flow (BusyFlow): the window keeps painting and shows
// its progress, and the user may stop a connect or a refresh, after which the status bar says
// "Cancelled".
class CMainFrame : public CFrameWnd {
public:
    explicit CMainFrame(CVtrConfigDoc& document);
    ~CMainFrame() override;

    // Creates the window with its view (not shown yet); false when that fails.
    bool create();
    CVtrConfigView& view() { return m_view; }
    CFindUnitDlg& findUnitDialog() { return m_findDialog; }
    CTrafficLogDlg& trafficLog() { return m_trafficLog; }

    // Connect, or re-read the unit when connected (Connect / Refresh Data, F4). A cancelled
    // connect ends disconnected, a cancelled refresh as if the reads it left had failed.
    void OnConnect();
    // Connect Options (F3): edits the document's options, then connects when asked to.
    void OnConnectOptions();
    // Find Unit: opens the search window beside the main window (or leaves the open one be);
    // a unit chosen there becomes the document's link and is connected.
    void OnFindUnit();
    // Factory defaults for every analog panel, after the user confirmed; the unit reboots, so
    // the frame waits for it before re-reading it.
    void OnResetAnalogPanels();
    // Factory defaults for one digital panel, after the user confirmed.
    void OnResetDigitalPanel(int panel);

    // The clock the wait for a rebooting unit sleeps on.
    void useClock(Clock& clock) { m_clock = &clock; }

private:
    void registerConnectionCommands();
    void registerConfigureCommands();
    void registerPanelCommands();
    void registerResetCommands();
    void registerViewCommands();
    // Shows the status text, painted before the work starts.
    template <typename Work>
    void whileShowing(int statusTextId, Work work);

    CVtrConfigDoc& m_document;
    CVtrConfigView m_view;
    CMakeConnectionDlg m_connectDialog;
    CFindUnitDlg m_findDialog;
    CTrafficLogDlg m_trafficLog;
    Clock* m_clock = &SystemClock::instance();
};
