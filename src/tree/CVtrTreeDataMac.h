#pragma once

#include "tree/CVtrTreeData.h"

#include <array>

// A MAC address, first byte first, always shown as hexadecimal pairs parted by dashes.
class CVtrTreeDataMac : public CVtrTreeData {
public:
    void Format(std::string& text, int hex) const override;

    std::array<uint8_t, 6> m_value{};
};
