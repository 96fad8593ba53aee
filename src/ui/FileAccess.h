#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Whole-file reads and writes for documents, exports and settings: the one way the program
// puts a file on the disk. Failures come back as a reason for the user ("No such file or
// directory"), never as an exception, and never after blocking on a FIFO or a device.
class FileAccess {
public:
    // Reads a regular file of at most maxBytes. Anything else (a FIFO, a device, a folder) is
    // refused as "Not a regular file" without waiting for a writer or touching the device.
    static bool readAll(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                        std::string& reason);

    enum class WriteResult {
        written,
        // The target cannot be created or replaced: it is read-only, not a regular file, or
        // its folder is missing or closed to us. Nothing was changed.
        refused,
        // Writing, flushing or renaming failed (a full disk, a file-size limit). The target,
        // if any, is as it was and no temporary file is left.
        failed,
    };

    // Writes a temporary file beside the target, flushes it to the disk and renames it over
    // the target, so that the target is either the old file or the new one, whole, even when
    // the disk fills or the program dies half way. A symbolic link, dangling or not, is
    // followed: the file it names is written and the link stays. An existing target keeps
    // its permissions and, where the user may keep them, its owner and group.
    static WriteResult writeAtomically(const std::string& path, std::span<const uint8_t> bytes,
                                       std::string& reason);
};
