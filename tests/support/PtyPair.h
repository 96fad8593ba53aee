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
        if (::openpty(&m_unitFd, &m_lineFd, nullptr, nullptr, nullptr) != 0) {
            m_unitFd = m_lineFd = -1;
            return;
        }
        char name[PATH_MAX] = {};
        if (::ttyname_r(m_lineFd, name, sizeof name) == 0) {
            m_path = name;
        }
        ::fcntl(m_unitFd, F_SETFL, ::fcntl(m_unitFd, F_GETFL) | O_NONBLOCK);
        termios raw{};
        ::tcgetattr(m_lineFd, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_lineFd, TCSANOW, &raw);
    }
    ~PtyPair() {
        if (m_unitFd >= 0) {
            ::close(m_unitFd);
        }
        if (m_lineFd >= 0) {
            ::close(m_lineFd);
        }
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return m_unitFd >= 0 && !m_path.empty(); }
    const std::string& path() const { return m_path; }
    int unitFd() const { return m_unitFd; }
    int lineFd() const { return m_lineFd; }

private:
    int m_unitFd = -1;
    int m_lineFd = -1;
    std::string m_path;
};
