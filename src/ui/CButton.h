#pragma once

#include "ui/CControl.h"

// A push button, group box or radio button. A group box's caption is its window text.
class CButton : public CControl {
public:
    void SetCheck(bool checked);
    bool GetCheck() const;
};
