#pragma once

#include "app/UnitSearch.h"
#include "device/ConnectOptions.h"
#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/CListBox.h"
#include "ui/CStatic.h"

#include <functional>
#include <vector>

// "Find Unit": searches a serial line (line settings and slave IDs) or a range of IPv4
// addresses for units while the window stays usable, shows the progress and the units found,
// and hands the chosen one to its owner as connect options. Modeless: it stays open beside
// the main window until closed, and a search runs on until it ends or is cancelled.
class CFindUnitDlg : public CDialog {
public:
    static constexpr const char* caption = "Find Unit";
    using Choose = std::function<void(const ConnectOptions&)>;

    CFindUnitDlg();

    // The document's options seed the search fields and are the base of the chosen unit's
    // options; `choose` receives them when the user connects to a unit.
    void SetData(const ConnectOptions& options, Choose choose);

    static constexpr unsigned pollMs = 100;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    static constexpr uintptr_t pollTimer = 1;

    void searchSerialLine();
    void searchNetwork();
    void started(bool ok);
    void onTimer();
    void showResults(const UnitSearch::State& state);
    void enableButtons(bool running);
    // The connect options that reach a unit found; false (after telling why) when there are
    // none, e.g. no COM number can name its device.
    bool optionsFor(const FoundUnit& unit, ConnectOptions& options);

    ConnectOptions m_options;
    Choose m_choose;
    UnitSearch m_search;
    std::vector<FoundUnit> m_found;
    CEdit m_device;
    CEdit m_slaves;
    CEdit m_addresses;
    CStatic m_progress;
    CListBox m_results;
};
