#include "tree/CVtrTreeDataU16.h"

#include "tree/FormatText.h"

void CVtrTreeDataU16::Format(std::string& text, int hex) const {
    if (FormatMissing(text)) {
        return;
    }
    if (hex != 0) {
        FormatText(text, "0x%04hX", m_value);
    } else {
        FormatText(text, "%hu", m_value);
    }
}
