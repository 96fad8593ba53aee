#pragma once

#include "tree/CVtrTreeData.h"

// An unsigned byte: "0xF0" or "240".
class CVtrTreeDataU8 : public CVtrTreeData {
public:
    void Format(std::string& text, int hex) const override;

    uint8_t m_value = 0;
};
