#pragma once

#include <cstdint>
#include <span>
#include <string>

class CComboBox;

// Fills a choice list the way every configuration dialog does: empty it, insert the entries
// at positions 0, 1, 2 ... in table order, and preselect the stored value, which is the
// position of its entry. A stored value beyond the last position preselects position 0.
void FillChoiceList(CComboBox& list, std::span<const char* const> entries, unsigned storedValue);
void FillChoiceList(CComboBox& list, std::span<const std::string> entries, unsigned storedValue);

// The position a stored value preselects in a list of `count` entries.
int PreselectedPosition(unsigned storedValue, int count);

// The position of the selected entry, the value a list stores; 0 when none is selected.
uint16_t SelectedPosition(const CComboBox& list);
