#include "app/ReplacingFileWriter.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A symbolic link is followed, so that the file it names is replaced and the link stays.
std::string resolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

// A file without its owner's write permission counts as read-only even for a user whose
// privileges would let them write it, as the read-only mark of a desktop file manager does.
bool isReadOnly(const std::string& path, const struct stat& status) {
    return (status.st_mode & S_IWUSR) == 0 || access(path.c_str(), W_OK) != 0;
}

// A new file beside the target, named after it, with the permissions the user's umask gives.
int createTemporary(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        contents.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

} // namespace

ReplacingFileWriter::Result ReplacingFileWriter::write(const std::string& path,
                                                       std::string_view contents) {
    const std::string target = resolvedTarget(path);
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || isReadOnly(target, existing))) {
        return Result::openFailed;
    }

    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) {
        return Result::openFailed;
    }
    // The replacement keeps the permissions of the file it replaces.
    bool ok = (!exists || fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, contents) &&
              fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temporary.c_str(), target.c_str()) == 0) {
        return Result::written;
    }
    unlink(temporary.c_str());
    return Result::writeFailed;
}
