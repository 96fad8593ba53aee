#pragma once

#include "tree/CVtrTreeData.h"

// An unsigned 16-bit word: "0x01F6" or "502".
class CVtrTreeDataU16 : public CVtrTreeData {
public:
    void Format(std::string& text, int hex) const override;

    uint16_t m_value = 0;
};
