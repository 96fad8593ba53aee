#include "modbus/ComPortName.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view deviceNamespacePrefix = "\\\\.\\";
constexpr std::string_view comPrefix = "COM";
constexpr std::string_view ttySPrefix = "/dev/ttyS";
constexpr std::string_view settingsSubfolder = "/Corvantis/VtrConfig";
constexpr std::string_view homeConfigFolder = "/.config";
constexpr size_t maxComDigits = 4;

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        const char c =
            text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

// The n of "COM<n>", or 0 when the name is not of that form.
int comNumber(std::string_view name) {
    if (name.starts_with(deviceNamespacePrefix)) {
        name.remove_prefix(deviceNamespacePrefix.size());
    }
    if (!startsWithIgnoringCase(name, comPrefix)) {
        return 0;
    }
    name.remove_prefix(comPrefix.size());
    if (name.empty() || name.size() > maxComDigits) {
        return 0;
    }
    int number = 0;
    for (const char digit : name) {
        if (digit < '0' || digit > '9') {
            return 0;
        }
        number = number * 10 + (digit - '0');
    }
    return number;
}

bool linkExists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

} // namespace

int comPortNumber(const std::string& portName) {
    return comNumber(portName);
}

std::string userSettingsFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (isAbsolute(configHome)) {
        return std::string(configHome) + std::string(settingsSubfolder);
    }
    const char* home = std::getenv("HOME");
    if (isAbsolute(home)) {
        return std::string(home) + std::string(homeConfigFolder) + std::string(settingsSubfolder);
    }
    return {};
}

std::string comPortDevicePath(const std::string& portName) {
    const int number = comNumber(portName);
    if (number < 1) {
        return portName;
    }
    const std::string folder = userSettingsFolder();
    if (!folder.empty()) {
        const std::string alias = folder + "/" + std::string(comPrefix) + std::to_string(number);
        if (linkExists(alias)) {
            return alias;
        }
    }
    return std::string(ttySPrefix) + std::to_string(number - 1);
}

bool setComPortAlias(int number, const std::string& target, std::string& problem) {
    const std::string folder = userSettingsFolder();
    if (folder.empty() || number < 1 || target.empty()) {
        problem = folder.empty() ? "no settings folder: HOME is not set" : "no port given";
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string alias = folder + "/" + std::string(comPrefix) + std::to_string(number);
    // Made beside the alias and renamed over it, so that the old alias stays until the new one
    // is whole.
    const std::string fresh = alias + ".new";
    ::unlink(fresh.c_str());
    if (::symlink(target.c_str(), fresh.c_str()) != 0 ||
        ::rename(fresh.c_str(), alias.c_str()) != 0) {
        problem = alias + ": " + std::strerror(errno);
        ::unlink(fresh.c_str());
        return false;
    }
    return true;
}

int comPortFor(const std::string& device, std::string& problem) {
    constexpr int lastComPort = 255;
    if (const int number = comNumber(device); number >= 1 && number <= lastComPort) {
        return number;
    }
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(device, error);
    if (error) {
        problem = device + ": " + error.message();
        return 0;
    }
    const std::string name = "COM";
    int free = 0;
    for (int number = 1; number <= lastComPort; ++number) {
        const std::string leadsTo = comPortDevicePath(name + std::to_string(number));
        std::error_code missing;
        const std::filesystem::path reached = std::filesystem::canonical(leadsTo, missing);
        if (!missing && reached == target) {
            return number;
        }
        if (free == 0 && missing && !linkExists(leadsTo)) {
            free = number;
        }
    }
    if (free == 0) {
        problem = "every COM number from 1 to 255 is taken";
        return 0;
    }
    return setComPortAlias(free, device, problem) ? free : 0;
}
