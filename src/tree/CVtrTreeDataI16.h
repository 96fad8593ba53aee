#pragma once

#include "tree/CVtrTreeData.h"

// A signed 16-bit word; hexadecimal shows its 16 bits as stored: "0xFFFF" or "-1".
class CVtrTreeDataI16 : public CVtrTreeData {
public:
    void Format(std::string& text, int hex) const override;

    int16_t m_value = 0;
};
