#pragma once

#include <fcntl.h>
#include <limits.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal standing in for a serial line. The program under test opens path(); the
// simulated unit talks through unitFd() (the pty master side, non-blocking). lineFd() keeps
// the line side open for the pair's whole life, so the unit side never sees a hang-up between
// two opens, and lets a test inspect or preset the line settings.
class PtyPair {
public:
    PtyPair() {
        if (::openpty(&unitFd_, &lineFd_, nullptr, nullptr, nullptr) != 0) {
            unitFd_ = lineFd_ = -1;
            return;
        }
        char name[PATH_MAX] = {};
        if (::ttyname_r(lineFd_, name, sizeof name) == 0) {
            path_ = name;
        }
        ::fcntl(unitFd_, F_SETFL, ::fcntl(unitFd_, F_GETFL) | O_NONBLOCK);
        termios raw{};
        ::tcgetattr(lineFd_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(lineFd_, TCSANOW, &raw);
    }
    ~PtyPair() {
        if (unitFd_ >= 0) {
            ::close(unitFd_);
        }
        if (lineFd_ >= 0) {
            ::close(lineFd_);
        }
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return unitFd_ >= 0 && !path_.empty(); }
    const std::string& path() const { return path_; }
    int unitFd() const { return unitFd_; }
    int lineFd() const { return lineFd_; }

private:
    int unitFd_ = -1;
    int lineFd_ = -1;
    std::string path_;
};
