#include "dialogs/ChoiceList.h"

#include "ui/CComboBox.h"

namespace {

template <typename Entry>
void fill(CComboBox& list, std::span<const Entry> entries, unsigned storedValue) {
    list.ResetContent();
    int position = 0;
    for (const Entry& entry : entries) {
        list.InsertString(position++, entry);
    }
    list.SetCurSel(PreselectedPosition(storedValue, position));
}

} // namespace

int PreselectedPosition(unsigned storedValue, int count) {
    return count > 0 && storedValue < static_cast<unsigned>(count) ? static_cast<int>(storedValue)
                                                                   : 0;
}

void FillChoiceList(CComboBox& list, std::span<const char* const> entries, unsigned storedValue) {
    fill(list, entries, storedValue);
}

void FillChoiceList(CComboBox& list, std::span<const std::string> entries, unsigned storedValue) {
    fill(list, entries, storedValue);
}

uint16_t SelectedPosition(const CComboBox& list) {
    const int selected = list.GetCurSel();
    return selected < 0 ? 0 : static_cast<uint16_t>(selected);
}
