#pragma once

#include <span>

// Help contexts: what the user asked help for, numbered as the program's platform numbers them
// so that commands, windows and a frame's panes never share a number.
constexpr int HID_BASE_COMMAND = 0x10000;  // + a command id: a menu entry or toolbar button
constexpr int HID_BASE_RESOURCE = 0x20000; // + a dialog template or frame resource id
constexpr int HID_BASE_CONTROL = 0x50000;  // + the control id of a child window (the view)

// A range of help contexts that one section of the manual covers. `section` is the id of the
// section's heading in the manual's HTML.
struct HelpTopic {
    int first;
    int last;
    const char* section;
};

// The manual's section for a help context, or nullptr when it has none (the manual opens at
// its start).
const char* helpSectionOf(int helpContext);
// Every range, for the test that each section exists in the manual.
std::span<const HelpTopic> allHelpTopics();
