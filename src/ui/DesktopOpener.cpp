#include "ui/DesktopOpener.h"

#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

// Runs xdg-open without waiting for it: it may start the browser and stay as long as the
// browser runs. A thread of its own reaps it, so that no zombie is left behind.
class XdgOpen final : public DesktopOpener {
public:
    bool open(const std::string& url, std::string& failure) override {
        std::string program = "xdg-open";
        std::string argument = url;
        char* const argv[] = {program.data(), argument.data(), nullptr};
        pid_t child = 0;
        const int error = ::posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ);
        if (error != 0) {
            failure = "cannot run xdg-open: " + std::string(std::strerror(error));
            return false;
        }
        std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
        return true;
    }
};

XdgOpen xdgOpen;
DesktopOpener* installed = nullptr;

bool unreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("-._~/", c) != nullptr;
}

} // namespace

DesktopOpener& currentDesktopOpener() {
    return installed != nullptr ? *installed : xdgOpen;
}

ScopedDesktopOpener::ScopedDesktopOpener(DesktopOpener& opener) : m_previous(installed) {
    installed = &opener;
}

ScopedDesktopOpener::~ScopedDesktopOpener() {
    installed = m_previous;
}

std::string fileUrl(const std::string& path, const std::string& fragment) {
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : path) {
        if (unreserved(c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 0xF];
        }
    }
    return fragment.empty() ? url : url + "#" + fragment;
}
