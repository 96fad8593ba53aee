#pragma once

#include "ui/qt/QtControlPeer.h"

// A radio button. Its group is the window's to keep exclusive, as the template defines it.
class QtRadioButtonPeer final : public QtControlPeer {
public:
    QtRadioButtonPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

    int textWidth() const override;

private:
    void syncText() override;
    void syncChecked() override;
    void connectUser() override;
};
