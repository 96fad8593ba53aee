#include "tree/CVtrTreeDataEnum.h"

#include "tree/FormatText.h"

CVtrTreeDataEnum::CVtrTreeDataEnum() {
    m_missingText = nullptr;
}

CVtrTreeDataEnum::CVtrTreeDataEnum(int32_t count, const char* const* table, const char* invalid,
                                   const char* missing) {
    Init(count, table, invalid, missing);
}

void CVtrTreeDataEnum::Init(int32_t count, const char* const* table, const char* invalid,
                            const char* missing) {
    m_count = count;
    m_table = table;
    m_invalidText = invalid;
    m_missingText = missing;
    m_value = 0;
}

void CVtrTreeDataEnum::Format(std::string& text, int hex) const {
    if (FormatMissing(text)) {
        return;
    }
    // Compared as unsigned, so a negative index is out of the table too.
    if (m_table != nullptr && static_cast<uint32_t>(m_value) < static_cast<uint32_t>(m_count)) {
        text = m_table[m_value];
        return;
    }
    const char* invalid = m_invalidText != nullptr ? m_invalidText : "";
    if (hex != 0) {
        FormatText(text, "0x%X, %s", static_cast<unsigned>(m_value), invalid);
    } else {
        FormatText(text, "%d, %s", m_value, invalid);
    }
}
