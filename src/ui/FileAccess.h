#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Whole-file reads and writes for documents and settings. Failures come back as a reason
// for the user ("No such file or directory"), never as an exception.
class FileAccess {
public:
    // Reads a regular file of at most maxBytes.
    static bool readAll(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                        std::string& reason);

    // Writes a temporary file beside the target, flushes it to the disk and renames it over
    // the target, so that the target is either the old file or the new one, whole, even
    // when the disk fills or the program dies half way. An existing target keeps its
    // permissions.
    static bool writeAtomically(const std::string& path, std::span<const uint8_t> bytes,
                                std::string& reason);
};
