#pragma once

#include "ui/CListControl.h"

#include <span>

// A list of lines. With StyleUseTabStops a tab in a line moves on to the next tab stop; with
// redraw off, changes are kept but not shown until redraw is turned on again.
class CListBox : public CListControl {
public:
    std::string GetText(int index) const { return GetLineText(index); }
    // Tab stops in dialog units, ascending.
    void SetTabStops(std::span<const int> stops);
    void SetRedraw(bool redraw);
    // The line the keyboard is on, -1 for none; setting it picks nothing.
    int GetCaretIndex() const;
    void SetCaretIndex(int index);
};
