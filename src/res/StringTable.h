#pragma once

#include <span>

struct StringResource {
    int id;
    const char* text;
};

// The program's strings; more are added to the table in StringTable.cpp.
std::span<const StringResource> stringTable();
// The frame's own strings: prompts and tooltips of the standard commands ("prompt\ntooltip"),
// status bar indicators, and the frame sample's strings (FrameStrings.cpp).
std::span<const StringResource> frameStringTable();
