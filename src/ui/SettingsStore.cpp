#include "ui/SettingsStore.h"

#include "ui/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sys/stat.h>

namespace {

// Settings are a few lines; anything bigger is not ours.
constexpr size_t kMaxFileBytes = 1 << 20;

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A value is one line: backslashes and line breaks are escaped.
std::string escape(const std::string& value) {
    std::string escaped;
    for (const char c : value) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string unescape(const std::string& value) {
    std::string plain;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        const char next = value[++i];
        plain += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return plain;
}

bool makeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

} // namespace

SettingsStore::SettingsStore(const std::string& organisation, const std::string& application) {
    open(defaultPath(organisation, application));
}

std::string SettingsStore::defaultPath(const std::string& organisation,
                                       const std::string& application) {
    std::string base;
    if (const char* configHome = std::getenv("XDG_CONFIG_HOME"); isAbsolute(configHome)) {
        base = configHome;
    } else if (const char* home = std::getenv("HOME"); isAbsolute(home)) {
        base = std::string(home) + "/.config";
    } else {
        return {};
    }
    return base + "/" + organisation + "/" + application + ".ini";
}

void SettingsStore::open(const std::string& path) {
    m_path = path;
    m_sections.clear();
    m_failure.clear();
    if (path.empty()) {
        return;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        return; // nothing saved yet
    }
    std::vector<uint8_t> bytes;
    if (!FileAccess::readAll(path, kMaxFileBytes, bytes, m_failure)) {
        return;
    }
    parse(std::string(bytes.begin(), bytes.end()));
}

void SettingsStore::parse(const std::string& text) {
    // A section or a name given twice is kept once, with its first value (the one a lookup
    // finds), so that a file of repeated lines does not carry them into every save. The
    // indexes keep a file of many thousand lines quick to read.
    std::map<std::string, size_t> sections;
    std::set<std::pair<size_t, std::string>> names;
    size_t current = std::string::npos;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        const std::string line = trim(raw);
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            const std::string name = line.substr(1, line.size() - 2);
            const auto [at, added] = sections.emplace(name, m_sections.size());
            if (added) {
                m_sections.push_back({name, {}});
            }
            current = at->second;
            continue;
        }
        const size_t equals = raw.find('=');
        if (current == std::string::npos || equals == std::string::npos) {
            continue; // not a setting: dropped rather than guessed at
        }
        // Spaces after '=' are layout; spaces at the end may belong to a path.
        std::string value = raw.substr(equals + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        const std::string name = trim(raw.substr(0, equals));
        if (names.emplace(current, name).second) {
            m_sections[current].entries.emplace_back(name, unescape(value));
        }
    }
}

std::string SettingsStore::render() const {
    std::string text;
    for (const Section& section : m_sections) {
        if (section.entries.empty()) {
            continue;
        }
        if (!text.empty()) {
            text += "\n";
        }
        text += "[" + section.name + "]\n";
        for (const auto& [entry, value] : section.entries) {
            text += entry + "=" + escape(value) + "\n";
        }
    }
    return text;
}

bool SettingsStore::save() {
    if (m_path.empty()) {
        m_failure = "No settings folder";
        return false;
    }
    const std::string folder = m_path.substr(0, m_path.find_last_of('/'));
    if (!makeFolders(folder)) {
        m_failure = std::strerror(errno);
        return false;
    }
    const std::string text = render();
    if (text.size() > kMaxFileBytes) {
        // It would be refused at the next start, and the file it replaces with it.
        m_failure = "The settings would pass their size limit";
        return false;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (FileAccess::writeAtomically(m_path, {bytes, text.size()}, m_failure) !=
        FileAccess::WriteResult::written) {
        return false;
    }
    m_failure.clear();
    return true;
}

SettingsStore::Section& SettingsStore::section(const std::string& name) {
    for (Section& candidate : m_sections) {
        if (candidate.name == name) {
            return candidate;
        }
    }
    m_sections.push_back({name, {}});
    return m_sections.back();
}

const std::string* SettingsStore::find(const std::string& section, const std::string& entry) const {
    for (const Section& candidate : m_sections) {
        if (candidate.name != section) {
            continue;
        }
        for (const auto& [name, value] : candidate.entries) {
            if (name == entry) {
                return &value;
            }
        }
    }
    return nullptr;
}

std::string SettingsStore::GetProfileString(const std::string& section, const std::string& entry,
                                            const std::string& fallback) const {
    const std::string* value = find(section, entry);
    return value != nullptr ? *value : fallback;
}

int SettingsStore::GetProfileInt(const std::string& section, const std::string& entry,
                                 int fallback) const {
    const std::string* value = find(section, entry);
    int number = 0;
    if (value == nullptr) {
        return fallback;
    }
    const char* end = value->data() + value->size();
    const auto [stop, error] = std::from_chars(value->data(), end, number);
    return error == std::errc() && stop == end ? number : fallback;
}

bool SettingsStore::WriteProfileString(const std::string& section, const std::string& entry,
                                       const std::string& value) {
    // Names are single words of the program's own; a line break would end the entry early.
    if (section.find_first_of("]\n") != std::string::npos ||
        entry.find_first_of("=\n") != std::string::npos) {
        return false;
    }
    auto& entries = this->section(section).entries;
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const auto& pair) { return pair.first == entry; });
    if (found != entries.end()) {
        found->second = value;
    } else {
        entries.emplace_back(entry, value);
    }
    return save();
}

bool SettingsStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                    int value) {
    return WriteProfileString(section, entry, std::to_string(value));
}

bool SettingsStore::removeEntry(const std::string& section, const std::string& entry) {
    bool removed = false;
    for (Section& candidate : m_sections) {
        if (candidate.name == section) {
            removed = std::erase_if(candidate.entries,
                                    [&](const auto& pair) { return pair.first == entry; }) != 0;
        }
    }
    return removed ? save() : true;
}
