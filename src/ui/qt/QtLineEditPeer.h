#pragma once

#include "ui/qt/QtControlPeer.h"

// A single-line edit box.
class QtLineEditPeer final : public QtControlPeer {
public:
    QtLineEditPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

    // The whole text is selected, so that typing replaces it (a rejected entry, the first
    // field of a dialog).
    void takeFocus() override;

private:
    void syncText() override;
    void connectUser() override;
};
