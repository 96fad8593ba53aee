#pragma once

#include <cstdint>
#include <string>

// A typed value of a tree row that renders itself in the display mode (nonzero hex:
// hexadecimal). While no value is known it shows its missing text.
class CVtrTreeData {
public:
    static constexpr const char* missingText = "UNKNOWN";

    CVtrTreeData() = default;
    virtual ~CVtrTreeData() = default;
    CVtrTreeData(const CVtrTreeData&) = delete;
    CVtrTreeData& operator=(const CVtrTreeData&) = delete;

    // Replaces `text` with the value's text.
    virtual void Format(std::string& text, int hex) const = 0;

    int32_t m_valid = 1;
    const char* m_missingText = missingText;

protected:
    // Sets the missing text when no value is known; returns whether it did.
    bool FormatMissing(std::string& text) const;
};
