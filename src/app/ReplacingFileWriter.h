#pragma once

#include <string>
#include <string_view>

// Replaces a file's contents as a whole or not at all. The new contents go to a temporary file
// in the target's folder, are flushed to the disk, and are then renamed over the target, so a
// full disk or an I/O error leaves the previous file whole and no half-written file behind.
class ReplacingFileWriter {
public:
    enum class Result {
        written,
        // The target cannot be created or replaced: a read-only file, a folder without write
        // access, a missing folder. Nothing was changed.
        openFailed,
        // Writing, flushing or renaming failed. The previous file, if any, is unchanged.
        writeFailed,
    };

    static Result write(const std::string& path, std::string_view contents);
};
