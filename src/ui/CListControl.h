#pragma once

#include "ui/CControl.h"

#include <string>

// The list operations that drop-down combo boxes and list boxes share: lines addressed by
// position, and at most one selected line (-1 for none).
class CListControl : public CControl {
public:
    // Appends a line; returns its position, or CB_ERR.
    int AddString(const std::string& text);
    // Inserts a line at a position (-1 appends); returns the position, or CB_ERR when the
    // position lies beyond the end.
    int InsertString(int index, const std::string& text);
    // Removes a line; returns the number of lines left, or CB_ERR.
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    // Selects a line; -1 or a position out of range clears the selection and returns CB_ERR.
    int SetCurSel(int index);
    int GetCurSel() const;
    // The text of a line, empty for a position out of range.
    std::string GetLineText(int index) const;
};
