#include "ui/CMenu.h"

namespace {

CMenu::Item itemFrom(const MenuItemTemplate& entry) {
    CMenu::Item item;
    item.id = entry.id;
    item.separator = entry.isSeparator();
    item.text = item.separator ? "" : entry.text;
    for (const MenuItemTemplate& child : entry.popup) {
        item.popup.push_back(itemFrom(child));
    }
    return item;
}

CMenu::Item* findIn(std::vector<CMenu::Item>& items, int id) {
    for (CMenu::Item& item : items) {
        if (!item.popup.empty()) {
            if (CMenu::Item* found = findIn(item.popup, id)) {
                return found;
            }
        } else if (!item.separator && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace

void CMenu::load(const MenuTemplate& from) {
    m_popups.clear();
    for (const MenuItemTemplate& popup : from.popups) {
        m_popups.push_back(itemFrom(popup));
    }
}

CMenu::Item* CMenu::find(int id) {
    return findIn(m_popups, id);
}

const CMenu::Item* CMenu::find(int id) const {
    return findIn(const_cast<std::vector<Item>&>(m_popups), id);
}
