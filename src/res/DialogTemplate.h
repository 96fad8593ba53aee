#pragma once

#include <cstdint>
#include <span>

// A dialog described as data: its controls with their positions in dialog units, where one
// horizontal unit is a quarter of the dialog font's average character width and one vertical
// unit an eighth of its height. The renderer turns the units into pixels from its own font.

enum class ControlKind : uint8_t {
    Button,      // push button; StyleDefault makes it the one Enter presses
    RadioButton, // auto radio button; a run of them forms one group
    GroupBox,    // frame with a caption; does not contain the controls drawn inside it
    Static,      // text label
    Icon,        // picture from an icon resource named by the control's text id
    Edit,        // single-line edit, or multi-line with StyleMultiline
    ComboBox,    // drop-down list without typing
    ListBox,     // list of lines
};

// Style bits of a control.
enum ControlStyle : uint32_t {
    StyleNone = 0,
    StyleDisabled = 1u << 0,
    StyleDefault = 1u << 1,     // the default push button
    StyleMultiline = 1u << 2,   // edit: several lines, wrapping
    StyleWantReturn = 1u << 3,  // multi-line edit: Enter breaks the line instead of confirming
    StyleReadOnly = 1u << 4,    // edit: shown but not editable
    StyleCenter = 1u << 5,      // static: centred text
    StyleSunken = 1u << 6,      // static: framed text, as for a value that is shown only
    StyleGroup = 1u << 7,       // radio button: starts a new group
    StyleUseTabStops = 1u << 8, // list box: expands tabs at the tab stops it is given
    StyleNotify = 1u << 9,      // list box: reports selection changes to its dialog
    StyleBorder = 1u << 10,
};

constexpr int IdStatic = -1; // a control the program never addresses

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    int16_t x;
    int16_t y;
    int16_t cx;
    int16_t cy;
    uint32_t style;
    int iconId = 0; // Icon controls: the icon resource shown
};

struct DialogTemplate {
    int id;
    const char* name; // short name for screenshots and diagnostics
    const char* caption;
    int16_t cx;
    int16_t cy;
    std::span<const ControlTemplate> controls;
};
