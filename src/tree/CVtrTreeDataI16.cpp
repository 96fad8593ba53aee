#include "tree/CVtrTreeDataI16.h"

#include "tree/FormatText.h"

void CVtrTreeDataI16::Format(std::string& text, int hex) const {
    if (FormatMissing(text)) {
        return;
    }
    if (hex != 0) {
        FormatText(text, "0x%04hX", static_cast<unsigned short>(m_value));
    } else {
        FormatText(text, "%hd", m_value);
    }
}
