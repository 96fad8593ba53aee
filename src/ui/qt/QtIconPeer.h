#pragma once

#include "ui/qt/QtControlPeer.h"

// A picture from an icon resource, shown at its own size.
class QtIconPeer final : public QtControlPeer {
public:
    QtIconPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

private:
    void connectUser() override {}
};
