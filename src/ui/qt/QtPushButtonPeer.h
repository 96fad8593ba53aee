#pragma once

#include "ui/qt/QtControlPeer.h"

// A push button; the default one is drawn as such. Enter is the window's to decide, so no button
// presses itself on Enter unless it is the default.
class QtPushButtonPeer final : public QtControlPeer {
public:
    QtPushButtonPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

    int textWidth() const override;
    bool centred() const override { return true; }

private:
    void syncText() override;
    void connectUser() override;
};
