#pragma once

#include "ui/qt/QtControlPeer.h"

// A multi-line edit box. Its text holds CR LF line breaks, so that a break counts two characters
// where the program judges the length of a field; Enter breaks the line only with StyleWantReturn,
// and otherwise goes to the window.
class QtMultiLineEditPeer final : public QtControlPeer {
public:
    QtMultiLineEditPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry);

private:
    void syncText() override;
    void connectUser() override;
};
