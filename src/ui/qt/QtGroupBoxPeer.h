#pragma once

#include "ui/qt/QtControlPeer.h"

// A frame with a caption behind the controls drawn inside it.
class QtGroupBoxPeer final : public QtControlPeer {
public:
    QtGroupBoxPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

    int textWidth() const override;
    bool isGroupBox() const override { return true; }

private:
    void syncText() override;
    void connectUser() override {}
};
