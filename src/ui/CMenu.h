#pragma once

#include "res/FrameResources.h"

#include <string>
#include <vector>

// A menu bar as the frame holds it: the entries of a menu resource with the state the update
// handlers give them. A popup's own entry carries only its text.
class CMenu {
public:
    struct Item {
        int id = 0;
        std::string text; // "&Connect\tF4"
        bool separator = false;
        bool enabled = true;
        bool checked = false;
        std::vector<Item> popup;
    };

    void load(const MenuTemplate& from);
    const std::vector<Item>& popups() const { return m_popups; }
    std::vector<Item>& popups() { return m_popups; }

    // The first command entry with this id, or null.
    Item* find(int id);
    const Item* find(int id) const;

private:
    std::vector<Item> m_popups;
};
