#pragma once

#include "tree/CVtrTreeData.h"

// An index into a table of texts ("Baud Rate = 19200"). An index outside the table shows the
// number and the invalid text: "3, INVALID" or "0x3, INVALID". The table is not owned.
class CVtrTreeDataEnum : public CVtrTreeData {
public:
    static constexpr const char* invalidText = "INVALID";

    // Leaves table and texts null; Init gives them later (arrays of values are built so).
    CVtrTreeDataEnum();
    CVtrTreeDataEnum(int32_t count, const char* const* table, const char* invalid,
                     const char* missing);

    // Sets the table and texts and resets the value to 0; the validity stays as it is.
    void Init(int32_t count, const char* const* table, const char* invalid, const char* missing);
    void Format(std::string& text, int hex) const override;

    int32_t m_value = 0;
    int32_t m_count = 0;
    const char* const* m_table = nullptr;
    const char* m_invalidText = nullptr;
};
