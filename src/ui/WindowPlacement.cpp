#include "ui/WindowPlacement.h"

#include "ui/SettingsStore.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr const char* kSection = "Main Window";
constexpr const char* kLeft = "Left";
constexpr const char* kTop = "Top";
constexpr const char* kWidth = "Width";
constexpr const char* kHeight = "Height";
constexpr const char* kMaximized = "Maximized";
// Read for a size that is not kept: no window.
constexpr int kNone = -1;

// In 64 bits: the values come from a file the user may have edited.
int64_t overlap(const WindowPlacement& window, const WindowPlacement::Area& area) {
    const int64_t width =
        std::min<int64_t>(int64_t{window.x} + window.width, int64_t{area.x} + area.width) -
        std::max(window.x, area.x);
    const int64_t height =
        std::min<int64_t>(int64_t{window.y} + window.height, int64_t{area.y} + area.height) -
        std::max(window.y, area.y);
    return width > 0 && height > 0 ? width * height : 0;
}

} // namespace

std::optional<WindowPlacement> WindowPlacement::load(const SettingsStore& store) {
    WindowPlacement placement;
    placement.x = store.GetProfileInt(kSection, kLeft, 0);
    placement.y = store.GetProfileInt(kSection, kTop, 0);
    placement.width = store.GetProfileInt(kSection, kWidth, kNone);
    placement.height = store.GetProfileInt(kSection, kHeight, kNone);
    placement.maximized = store.GetProfileInt(kSection, kMaximized, 0) != 0;
    if (placement.width <= 0 || placement.height <= 0) {
        return std::nullopt;
    }
    return placement;
}

bool WindowPlacement::save(SettingsStore& store) const {
    bool written = store.WriteProfileInt(kSection, kLeft, x);
    written = store.WriteProfileInt(kSection, kTop, y) && written;
    written = store.WriteProfileInt(kSection, kWidth, width) && written;
    written = store.WriteProfileInt(kSection, kHeight, height) && written;
    return store.WriteProfileInt(kSection, kMaximized, maximized ? 1 : 0) && written;
}

WindowPlacement WindowPlacement::fittedTo(const std::vector<Area>& screens) const {
    if (screens.empty()) {
        return *this;
    }
    const Area* best = &screens.front();
    int64_t bestOverlap = 0;
    for (const Area& screen : screens) {
        const int64_t shared = overlap(*this, screen);
        if (shared > bestOverlap) {
            best = &screen;
            bestOverlap = shared;
        }
    }
    WindowPlacement fitted = *this;
    fitted.width = std::min(width, best->width);
    fitted.height = std::min(height, best->height);
    fitted.x = std::clamp(x, best->x, best->x + best->width - fitted.width);
    fitted.y = std::clamp(y, best->y, best->y + best->height - fitted.height);
    return fitted;
}
