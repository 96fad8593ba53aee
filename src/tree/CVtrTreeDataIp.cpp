#include "tree/CVtrTreeDataIp.h"

#include "tree/FormatText.h"

void CVtrTreeDataIp::Format(std::string& text, int /*hex*/) const {
    if (FormatMissing(text)) {
        return;
    }
    FormatText(text, "%0hu.%0hu.%0hu.%0hu", static_cast<unsigned short>(m_value[0]),
               static_cast<unsigned short>(m_value[1]), static_cast<unsigned short>(m_value[2]),
               static_cast<unsigned short>(m_value[3]));
}
