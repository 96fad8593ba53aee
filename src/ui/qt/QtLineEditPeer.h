#pragma once

#include "ui/qt/QtControlPeer.h"

// A single-line edit box.
class QtLineEditPeer final : public QtControlPeer {
public:
    QtLineEditPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

private:
    void syncText() override;
    void connectUser() override;
};
