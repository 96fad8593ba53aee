#pragma once

#include "tree/CVtrTreeData.h"

// A text such as a serial number, owned by the value and shown as it stands in both modes.
class CVtrTreeDataStr : public CVtrTreeData {
public:
    void Format(std::string& text, int hex) const override;

    std::string m_value;
};
