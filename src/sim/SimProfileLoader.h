#pragma once

#include "sim/SimProfile.h"

#include <string>

// Reads a unit profile from JSON. Every field is optional; fields that are given replace those
// of the rich default unit. A malformed profile is rejected as a whole with a message naming
// the file, the field and the reason; the profile passed in is then left unchanged.
class SimProfileLoader {
public:
    static constexpr int ok = 0;
    static constexpr int fileError = 1;   // cannot be opened or read
    static constexpr int formatError = 2; // not JSON, or a field is wrong

    // Longest profile file accepted; a real profile is a few kilobytes.
    static constexpr size_t maxFileSize = 1 << 20;

    static int loadFile(const std::string& path, SimProfile& profile, std::string& message);
    // `source` names the text in messages (the file name).
    static int loadText(const std::string& text, const std::string& source, SimProfile& profile,
                        std::string& message);
};
