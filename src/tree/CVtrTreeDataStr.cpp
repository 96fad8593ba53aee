#include "tree/CVtrTreeDataStr.h"

void CVtrTreeDataStr::Format(std::string& text, int /*hex*/) const {
    if (FormatMissing(text)) {
        return;
    }
    text = m_value;
}
