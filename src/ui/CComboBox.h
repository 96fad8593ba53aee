#pragma once

#include "ui/CListControl.h"

// A drop-down list without typing: the user picks one of its lines.
class CComboBox : public CListControl {
public:
    std::string GetLBText(int index) const { return GetLineText(index); }
};
