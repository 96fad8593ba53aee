#pragma once

#include "ui/qt/QtControlPeer.h"

// A drop-down list without typing.
class QtComboBoxPeer final : public QtControlPeer {
public:
    QtComboBoxPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

private:
    void syncItems() override;
    void syncSelection() override;
    void connectUser() override;
};
