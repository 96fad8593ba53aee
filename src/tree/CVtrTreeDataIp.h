#pragma once

#include "tree/CVtrTreeData.h"

#include <array>

// An IPv4 address, first octet first, always shown in dotted decimal.
class CVtrTreeDataIp : public CVtrTreeData {
public:
    void Format(std::string& text, int hex) const override;

    std::array<uint8_t, 4> m_value{};
};
