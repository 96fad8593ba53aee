#include "tree/CVtrTreeDataU8.h"

#include "tree/FormatText.h"

void CVtrTreeDataU8::Format(std::string& text, int hex) const {
    if (FormatMissing(text)) {
        return;
    }
    if (hex != 0) {
        FormatText(text, "0x%02X", static_cast<unsigned>(m_value));
    } else {
        FormatText(text, "%hu", static_cast<unsigned short>(m_value));
    }
}
