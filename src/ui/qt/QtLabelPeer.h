#pragma once

#include "ui/qt/QtControlPeer.h"

// A text label, or a framed value (StyleSunken).
class QtLabelPeer final : public QtControlPeer {
public:
    QtLabelPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

    int textWidth() const override;
    bool centred() const override;

private:
    void syncText() override;
    void connectUser() override {}
};
