#include "ui/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

mode_t modeForNewFile(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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

} // namespace

bool FileAccess::readAll(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                         std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        reason = systemReason(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "Not a regular file";
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

bool FileAccess::writeAtomically(const std::string& path, std::span<const uint8_t> bytes,
                                 std::string& reason) {
    const std::string folder = folderOf(path);
    std::string temporary = folder + "/." + nameOf(path) + ".XXXXXX";
    const mode_t mode = modeForNewFile(path);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        reason = systemReason(errno);
        return false;
    }
    const bool written = writeFully(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        reason = systemReason(written ? errno : writeError);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        reason = systemReason(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself is on the disk once the folder is flushed.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}
