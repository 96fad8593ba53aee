#pragma once

#include <optional>
#include <vector>

class SettingsStore;

// Where a main window stands on the desktop: the top-left corner of its frame, the size of its
// client area when it is not maximized, and whether it is maximized. The program keeps it in
// the settings store from one run to the next.
struct WindowPlacement {
    // A part of the desktop in the same coordinates: the work area of one screen.
    struct Area {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;

    bool operator==(const WindowPlacement&) const = default;

    // The placement last saved, or nothing when none is kept or what is kept makes no window.
    static std::optional<WindowPlacement> load(const SettingsStore& store);
    // False when the store could not be written.
    bool save(SettingsStore& store) const;

    // The window moved, and shrunk where it has to, so that it lies whole on one screen: the
    // one it overlaps most, else the first (the primary one). A screen that was unplugged, or
    // whose resolution went down, never leaves the window out of reach.
    WindowPlacement fittedTo(const std::vector<Area>& screens) const;
};
