#include "modbus/ComPortName.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>

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
