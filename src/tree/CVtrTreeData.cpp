#include "tree/CVtrTreeData.h"

bool CVtrTreeData::FormatMissing(std::string& text) const {
    if (m_valid != 0) {
        return false;
    }
    text = m_missingText != nullptr ? m_missingText : "";
    return true;
}
