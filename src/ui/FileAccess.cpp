#include "ui/FileAccess.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kNotRegular = "Not a regular file";
constexpr const char* kReadOnly = "The file is read-only";
// As many links in a row as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

std::string systemReason(int error) {
    return std::strerror(error);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path names after following its symbolic links, also when the last one points at
// nothing yet: saving through a dangling link creates the file it names.
bool followLinks(const std::string& path, std::string& target, std::string& reason) {
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        char linked[PATH_MAX];
        const ssize_t length = ::readlink(target.c_str(), linked, sizeof linked);
        if (length < 0 || static_cast<size_t>(length) == sizeof linked) {
            reason = systemReason(length < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string next(linked, static_cast<size_t>(length));
        target = next.starts_with('/') ? next : folderOf(target) + "/" + next;
    }
    reason = systemReason(ELOOP);
    return false;
}

// A file without its owner's write permission counts as read-only even for a user whose
// privileges would let them write it, as the read-only mark of a desktop file manager does.
bool isReadOnly(const std::string& path, const struct stat& info, std::string& reason) {
    if ((info.st_mode & S_IWUSR) == 0) {
        reason = kReadOnly;
        return true;
    }
    if (::access(path.c_str(), W_OK) != 0) {
        reason = systemReason(errno);
        return true;
    }
    return false;
}

mode_t modeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool isFullDisk(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

bool writeFully(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// The new contents in a temporary file, flushed to the disk and closed; removed again when
// any step fails.
bool writeTemporary(int fd, const std::string& temporary, const struct stat* existing,
                    std::span<const uint8_t> bytes, std::string& reason) {
    if (existing != nullptr && ::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
        // Only a privileged user may give a file away; otherwise the new file is theirs.
    }
    const mode_t mode = existing != nullptr ? existing->st_mode & 07777 : modeForNewFile();
    const bool written = writeFully(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        reason = systemReason(written ? errno : writeError);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

bool FileAccess::readAll(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                         std::string& reason) {
    // The kind is known before the open, which would wait for a FIFO's writer or wake a
    // device; the open does not block either, and its own look rules out a swap in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        reason = systemReason(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = kNotRegular;
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        reason = systemReason(errno);
        return false;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = kNotRegular;
        ::close(fd);
        return false;
    }
    std::vector<uint8_t> content;
    uint8_t chunk[4096];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            reason = systemReason(errno);
            ::close(fd);
            return false;
        }
        if (got == 0) {
            break;
        }
        if (content.size() + static_cast<size_t>(got) > maxBytes) {
            reason = "File too large";
            ::close(fd);
            return false;
        }
        content.insert(content.end(), chunk, chunk + got);
    }
    ::close(fd);
    bytes = std::move(content);
    return true;
}

FileAccess::WriteResult FileAccess::writeAtomically(const std::string& path,
                                                    std::span<const uint8_t> bytes,
                                                    std::string& reason) {
    std::string target;
    if (!followLinks(path, target, reason)) {
        return WriteResult::refused;
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        reason = kNotRegular;
        return WriteResult::refused;
    }
    if (exists && isReadOnly(target, existing, reason)) {
        return WriteResult::refused;
    }

    const std::string folder = folderOf(target);
    std::string temporary = folder + "/." + nameOf(target) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        const int error = errno;
        reason = systemReason(error);
        return isFullDisk(error) ? WriteResult::failed : WriteResult::refused;
    }
    if (!writeTemporary(fd, temporary, exists ? &existing : nullptr, bytes, reason)) {
        return WriteResult::failed;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        reason = systemReason(errno);
        ::unlink(temporary.c_str());
        return WriteResult::failed;
    }
    // The rename itself is on the disk once the folder is flushed.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return WriteResult::written;
}
