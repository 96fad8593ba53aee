#include "modbus/SerialDeviceList.h"

#include "modbus/ComPortName.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <map>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* devicePrefixes[] = {"ttyS", "ttyUSB", "ttyACM"};
constexpr const char* byIdFolder = "/serial/by-id";
constexpr const char* lockPrefix = "/LCK..";
constexpr unsigned ownerReadWrite = 0600;
constexpr unsigned groupReadWrite = 0060;
constexpr unsigned otherReadWrite = 0006;
constexpr size_t maxSmallFile = 256;

// The first line of a small text file, without trailing blanks; empty when it cannot be read.
std::string readLine(const fs::path& path) {
    std::ifstream file(path);
    std::string line;
    if (!file || !std::getline(file, line)) {
        return {};
    }
    line.resize(std::min(line.size(), maxSmallFile));
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
        line.pop_back();
    }
    return line;
}

bool allDigits(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// ttyUSB10 after ttyUSB9: kind, then number.
struct DeviceName {
    size_t kind;
    int number;
    std::string name;
    bool operator<(const DeviceName& other) const {
        return kind != other.kind ? kind < other.kind : number < other.number;
    }
};

bool parseDeviceName(const std::string& name, DeviceName& parsed) {
    for (size_t kind = 0; kind < std::size(devicePrefixes); ++kind) {
        const std::string prefix = devicePrefixes[kind];
        if (name.starts_with(prefix) && allDigits(name.substr(prefix.size()))) {
            parsed = {kind, std::stoi(name.substr(prefix.size())), name};
            return true;
        }
    }
    return false;
}

fs::path canonicalOrEmpty(const fs::path& path) {
    std::error_code error;
    fs::path resolved = fs::canonical(path, error);
    return error ? fs::path() : resolved;
}

// The USB device above the tty in sysfs (the first parent with an idVendor), and the driver.
void readSysfs(const SerialDeviceList::Roots& roots, const std::string& name,
               SerialDeviceList::Device& device) {
    const fs::path classEntry = fs::path(roots.sys) / "class/tty" / name / "device";
    device.driver = canonicalOrEmpty(classEntry / "driver").filename().string();
    const fs::path sysRoot = canonicalOrEmpty(roots.sys);
    fs::path dir = canonicalOrEmpty(classEntry);
    while (!dir.empty() && !sysRoot.empty() && dir != sysRoot &&
           dir.string().starts_with(sysRoot.string())) {
        if (fs::exists(dir / "idVendor")) {
            device.vendorId = readLine(dir / "idVendor");
            device.productId = readLine(dir / "idProduct");
            device.manufacturer = readLine(dir / "manufacturer");
            device.product = readLine(dir / "product");
            device.serial = readLine(dir / "serial");
            return;
        }
        dir = dir.parent_path();
    }
}

std::string userName(uid_t uid) {
    const passwd* entry = ::getpwuid(uid);
    return entry != nullptr ? entry->pw_name : std::to_string(uid);
}

void readOwnership(const std::string& path, SerialDeviceList::Device& device) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        device.fix = "the device cannot be examined";
        return;
    }
    device.mode = status.st_mode & 07777;
    device.owner = userName(status.st_uid);
    const group* entry = ::getgrgid(status.st_gid);
    device.group = entry != nullptr ? entry->gr_name : std::to_string(status.st_gid);
    std::vector<std::string> members;
    for (char** member = entry != nullptr ? entry->gr_mem : nullptr;
         member != nullptr && *member != nullptr; ++member) {
        members.emplace_back(*member);
    }
    std::vector<gid_t> groups(static_cast<size_t>(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(static_cast<size_t>(
        std::max(::getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    groups.push_back(::getegid());
    const uid_t uid = ::geteuid();
    const auto access =
        SerialDeviceList::judgeAccess(device.mode, status.st_uid, status.st_gid, device.group, uid,
                                      groups, userName(uid), members);
    device.canOpen = access.canOpen;
    device.fix = access.fix;
}

// UUCP-style lock files hold the owner's process id as text; a lock whose process has gone
// is stale and holds nothing.
int livingLockOwner(const SerialDeviceList::Roots& roots, const std::string& name) {
    const std::string pid = readLine(roots.lock + lockPrefix + name);
    const size_t start = pid.find_first_not_of(' ');
    if (start == std::string::npos || !allDigits(pid.substr(start))) {
        return 0;
    }
    const std::string digits = pid.substr(start);
    return fs::exists(fs::path(roots.proc) / digits) ? std::stoi(digits) : 0;
}

// Every open file of every process we may look at: link target -> processes.
std::multimap<std::string, SerialDeviceList::Holder> openFiles(const std::string& proc) {
    std::multimap<std::string, SerialDeviceList::Holder> files;
    std::error_code error;
    for (const auto& process : fs::directory_iterator(proc, error)) {
        const std::string pid = process.path().filename().string();
        if (!allDigits(pid)) {
            continue;
        }
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(fd.path(), linkError);
            if (!linkError && target.string().find("tty") != std::string::npos) {
                files.emplace(
                    target.string(),
                    SerialDeviceList::Holder{std::stoi(pid), readLine(process.path() / "comm")});
            }
        }
    }
    return files;
}

std::string aliasFolder(const SerialDeviceList::Roots& roots) {
    return roots.aliases.empty() ? userSettingsFolder() : roots.aliases;
}

void matchAliases(const SerialDeviceList::Roots& roots, SerialDeviceList::Listing& listing) {
    const std::string folder = aliasFolder(roots);
    if (folder.empty()) {
        return;
    }
    std::error_code error;
    std::map<int, fs::path> aliases;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("COM") && allDigits(name.substr(3)) && entry.is_symlink()) {
            aliases.emplace(std::stoi(name.substr(3)), entry.path());
        }
    }
    for (const auto& [number, link] : aliases) {
        const fs::path target = canonicalOrEmpty(link);
        bool matched = false;
        for (auto& device : listing.devices) {
            if (!target.empty() && target == canonicalOrEmpty(device.path)) {
                device.comAliases.push_back(number);
                matched = true;
            }
        }
        if (!matched) {
            std::error_code linkError;
            listing.strayAliases.push_back(
                {number, fs::read_symlink(link, linkError).string(), !target.empty()});
        }
    }
}

} // namespace

SerialDeviceList::Access
SerialDeviceList::judgeAccess(unsigned mode, uid_t owner, gid_t group, const std::string& groupName,
                              uid_t uid, const std::vector<gid_t>& groups, const std::string& user,
                              const std::vector<std::string>& groupMembers) {
    const bool inGroup = std::find(groups.begin(), groups.end(), group) != groups.end();
    const unsigned needed = uid == owner ? ownerReadWrite
                            : inGroup    ? groupReadWrite
                                         : otherReadWrite;
    if (uid == 0 || (mode & needed) == needed) {
        return {true, {}};
    }
    if (uid != owner && !inGroup && (mode & groupReadWrite) == groupReadWrite) {
        if (std::find(groupMembers.begin(), groupMembers.end(), user) != groupMembers.end()) {
            return {false, "log in again to join group " + groupName + " (or run: newgrp " +
                               groupName + ")"};
        }
        return {false, "sudo usermod -aG " + groupName + " " + user + " (then log in again)"};
    }
    return {false, "its group may not read and write it: ask for a udev rule with MODE=\"0660\""};
}

SerialDeviceList::Listing SerialDeviceList::list() {
    return list(Roots{});
}

SerialDeviceList::Listing SerialDeviceList::list(const Roots& roots) {
    std::vector<DeviceName> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(roots.dev, error)) {
        DeviceName parsed{};
        if (parseDeviceName(entry.path().filename().string(), parsed)) {
            const std::string type =
                readLine(fs::path(roots.sys) / "class/tty" / parsed.name / "type");
            if (!(parsed.name.starts_with("ttyS") && type == "0")) {
                names.push_back(parsed);
            }
        }
    }
    std::sort(names.begin(), names.end());

    std::map<std::string, std::string> byId; // device name -> by-id link
    for (const auto& entry : fs::directory_iterator(roots.dev + byIdFolder, error)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(entry.path(), linkError);
        if (!linkError) {
            byId.emplace(target.filename().string(), entry.path().string());
        }
    }
    const auto holders =
        roots.proc.empty() ? decltype(openFiles(roots.proc)){} : openFiles(roots.proc);

    Listing listing;
    for (const DeviceName& name : names) {
        Device device;
        device.path = roots.dev + "/" + name.name;
        if (const auto link = byId.find(name.name); link != byId.end()) {
            device.byId = link->second;
        }
        readSysfs(roots, name.name, device);
        readOwnership(device.path, device);
        device.lockPid = roots.proc.empty() ? 0 : livingLockOwner(roots, name.name);
        const auto [first, last] = holders.equal_range(device.path);
        for (auto holder = first; holder != last; ++holder) {
            device.holders.push_back(holder->second);
        }
        listing.devices.push_back(std::move(device));
    }
    matchAliases(roots, listing);
    return listing;
}
