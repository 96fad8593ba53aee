#pragma once

#include <span>

struct StringResource {
    int id;
    const char* text;
};

// The program's strings; more are added to the table in StringTable.cpp.
std::span<const StringResource> stringTable();
