#include "tree/CVtrTreeDataDec.h"

#include "tree/FormatText.h"

void CVtrTreeDataDec::Format(std::string& text, int /*hex*/) const {
    if (FormatMissing(text)) {
        return;
    }
    FormatText(text, "%d", m_value);
}
