#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <unistd.h>

// A per-user settings folder of its own for one test, in which COM<port> is an alias link to
// any device, so that a document naming a COM port reaches a pseudo-terminal. The previous
// XDG_CONFIG_HOME is put back afterwards.
class ComPortAlias {
public:
    static constexpr int port = 7;

    ComPortAlias() {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
            old_ = old;
        }
        char pattern[] = "/tmp/vtr-alias-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) {
            root_ = pattern;
            ::setenv("XDG_CONFIG_HOME", pattern, 1);
        }
    }
    ~ComPortAlias() {
        if (old_) {
            ::setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ComPortAlias(const ComPortAlias&) = delete;
    ComPortAlias& operator=(const ComPortAlias&) = delete;

    // Points COM<port> at `device` (which need not exist); false when it cannot.
    bool point(const std::string& device) {
        if (root_.empty()) {
            return false;
        }
        const std::filesystem::path folder = root_ / "Corvantis" / "VtrConfig";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        std::filesystem::remove(folder / ("COM" + std::to_string(port)), error);
        std::filesystem::create_symlink(device, folder / ("COM" + std::to_string(port)), error);
        return !error;
    }

private:
    std::filesystem::path root_;
    std::optional<std::string> old_;
};
