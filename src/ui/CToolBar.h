#pragma once

#include "res/FrameResources.h"

#include <string>
#include <vector>

// A toolbar as the frame holds it: its buttons with the state the update handlers give them,
// and whether it is shown.
class CToolBar {
public:
    struct Button {
        int id = 0; // 0: a separator
        int image = -1;
        bool enabled = true;
        bool checked = false;
    };

    // Loads the buttons of a toolbar resource; false when there is none with this id.
    bool LoadToolBar(int resourceId);
    const ToolbarTemplate* resource() const { return m_resource; }
    const std::vector<Button>& buttons() const { return m_buttons; }
    std::vector<Button>& buttons() { return m_buttons; }
    Button* find(int id);
    // The tooltip of a button: its command string after the '\n'.
    static std::string tooltip(int id);

    bool visible = true;

private:
    const ToolbarTemplate* m_resource = nullptr;
    std::vector<Button> m_buttons;
};
