#include "tree/CVtrTreeDataMac.h"

#include "tree/FormatText.h"

void CVtrTreeDataMac::Format(std::string& text, int /*hex*/) const {
    if (FormatMissing(text)) {
        return;
    }
    FormatText(text, "%02X-%02X-%02X-%02X-%02X-%02X", unsigned{m_value[0]}, unsigned{m_value[1]},
               unsigned{m_value[2]}, unsigned{m_value[3]}, unsigned{m_value[4]},
               unsigned{m_value[5]});
}
