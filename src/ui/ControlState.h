#pragma once

#include "res/DialogTemplate.h"
#include "ui/ControlPeer.h"

#include <string>
#include <vector>

// Everything one control shows: the window owns one per control of its template for as long
// as it exists. Not every field applies to every kind (items to lists, checked to radio
// buttons), but one record keeps the backends and the test driver simple.
struct ControlState {
    explicit ControlState(const ControlTemplate& from)
        : id(from.id), kind(from.kind), style(from.style), text(from.text),
          enabled((from.style & StyleDisabled) == 0), source(&from) {}

    int id;
    ControlKind kind;
    uint32_t style;
    std::string text;
    std::vector<std::string> items;
    int curSel = -1;
    // The line the keyboard is on (the focus rectangle), -1 for none; a picked line takes it.
    int caret = -1;
    bool enabled;
    bool checked = false;
    bool redraw = true;
    std::vector<int> tabStops; // dialog units, list boxes with StyleUseTabStops
    const ControlTemplate* source;
    ControlPeer* peer = nullptr;

    void changed(StateChange change) const {
        if (peer != nullptr) {
            peer->stateChanged(change);
        }
    }
    // Selects a line (-1 for none); a drop-down list shows the selected line as its text.
    void setSelection(int index);
};
