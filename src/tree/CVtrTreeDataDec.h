#pragma once

#include "tree/CVtrTreeData.h"

// A number shown in decimal whatever the display mode (COM port, TCP port option).
class CVtrTreeDataDec : public CVtrTreeData {
public:
    void Format(std::string& text, int hex) const override;

    int32_t m_value = 0;
};
