#pragma once

#include <string>

// Hands a file or URL to the desktop, which opens it in the user's chosen program (the
// manual in the web browser). The program uses xdg-open; tests put a recorder in its place.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // False, with the reason, when the desktop could not be asked.
    virtual bool open(const std::string& url, std::string& failure) = 0;
};

// The current opener: the one installed by ScopedDesktopOpener, else xdg-open.
DesktopOpener& currentDesktopOpener();

class ScopedDesktopOpener {
public:
    explicit ScopedDesktopOpener(DesktopOpener& opener);
    ~ScopedDesktopOpener();
    ScopedDesktopOpener(const ScopedDesktopOpener&) = delete;
    ScopedDesktopOpener& operator=(const ScopedDesktopOpener&) = delete;

private:
    DesktopOpener* m_previous;
};

// A local path as a file: URL, with an optional #fragment.
std::string fileUrl(const std::string& path, const std::string& fragment = {});
