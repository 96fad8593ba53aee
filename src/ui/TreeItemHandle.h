#pragma once

#include <cstdint>

// Opaque handle of a tree item. Handles are never reused, so a handle kept after its item was
// deleted is simply invalid. The zero handle means "no item".
struct HTREEITEM {
    uint32_t value = 0;
    explicit operator bool() const { return value != 0; }
    bool operator==(const HTREEITEM&) const = default;
};

// Pseudo-handles: the invisible root that top-level items hang from, and the insert
// positions "first child" and "last child".
inline constexpr HTREEITEM TVI_ROOT{0xFFFF0000u};
inline constexpr HTREEITEM TVI_FIRST{0xFFFF0001u};
inline constexpr HTREEITEM TVI_LAST{0xFFFF0002u};
