#pragma once

#include <cstdint>
#include <span>

// Menus, accelerator tables and toolbars described as data, found by the resource id of the
// frame that uses them (the same id names the frame's icon and its document strings).
//
// The prompt of a command, shown in the status bar while its menu item is highlighted, and the
// tooltip of its toolbar button are the string resource with the command's id:
// "prompt\ntooltip".

// One entry of a menu: a command (id, text), a separator (id 0, no text), or a popup (text
// and the entries below it). A "\t" in a text separates the accelerator shown at the right.
struct MenuItemTemplate {
    int id;
    const char* text;
    std::span<const MenuItemTemplate> popup = {};

    bool isSeparator() const { return text == nullptr; }
    bool isPopup() const { return !popup.empty(); }
};

// The menu bar: its popups in order.
struct MenuTemplate {
    int id;
    std::span<const MenuItemTemplate> popups;
};

// Modifier bits and key codes of an accelerator: letters and digits are their upper-case
// characters, function keys VK_F1..VK_F12.
enum AcceleratorModifier : uint8_t {
    FSHIFT = 0x04,
    FCONTROL = 0x08,
    FALT = 0x10,
};
constexpr unsigned VK_F1 = 0x70;
constexpr unsigned VK_F3 = 0x72;
constexpr unsigned VK_F4 = 0x73;
constexpr unsigned VK_F5 = 0x74;
constexpr unsigned VK_F12 = 0x7B;

struct AcceleratorTemplate {
    unsigned key;
    uint8_t modifiers;
    int commandId;
};

struct AcceleratorTable {
    int id;
    std::span<const AcceleratorTemplate> entries;
};

// A toolbar: its buttons (command ids, 0 for a separator) and one image strip with an image
// of buttonWidth x buttonHeight pixels per button, in button order without the separators.
struct ToolbarTemplate {
    int id;
    int buttonWidth;
    int buttonHeight;
    std::span<const int> buttons;
    const char* const* imageXpm;
};

const MenuTemplate* findMenu(int id);
const AcceleratorTable* findAccelerators(int id);
const ToolbarTemplate* findToolbar(int id);
