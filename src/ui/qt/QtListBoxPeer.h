#pragma once

#include "ui/qt/QtControlPeer.h"

class DialogUnits;
class TabStopDelegate;

// A list of lines, with tabs expanded at the tab stops the program sets.
class QtListBoxPeer final : public QtControlPeer {
public:
    QtListBoxPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry,
                  const DialogUnits& units);

private:
    void syncItems() override;
    void syncSelection() override;
    void syncTabStops() override;
    void connectUser() override;

    TabStopDelegate* m_delegate = nullptr;
};
