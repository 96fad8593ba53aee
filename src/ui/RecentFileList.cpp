#include "ui/RecentFileList.h"

#include "ui/SettingsStore.h"

#include <algorithm>
#include <filesystem>

RecentFileList::RecentFileList(SettingsStore& store, std::string section, size_t capacity)
    : m_store(store), m_section(std::move(section)), m_capacity(capacity) {}

std::string RecentFileList::entryName(size_t index) const {
    return "File" + std::to_string(index + 1);
}

void RecentFileList::load() {
    m_paths.clear();
    for (size_t i = 0; i < m_capacity; ++i) {
        const std::string path = m_store.GetProfileString(m_section, entryName(i));
        if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end()) {
            m_paths.push_back(path);
        }
    }
}

void RecentFileList::add(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string entry = error ? path : absolute.lexically_normal().string();
    std::erase(m_paths, entry);
    m_paths.insert(m_paths.begin(), entry);
    if (m_paths.size() > m_capacity) {
        m_paths.resize(m_capacity);
    }
    save();
}

void RecentFileList::remove(size_t index) {
    if (index < m_paths.size()) {
        m_paths.erase(m_paths.begin() + static_cast<std::ptrdiff_t>(index));
        save();
    }
}

std::string RecentFileList::menuText(size_t index) const {
    if (index >= m_paths.size()) {
        return {};
    }
    std::string name;
    for (const char c : std::filesystem::path(m_paths[index]).filename().string()) {
        name += c;
        if (c == '&') {
            name += '&'; // shown as itself, not as a mnemonic
        }
    }
    return "&" + std::to_string(index + 1) + " " + name;
}

void RecentFileList::save() {
    for (size_t i = 0; i < m_capacity; ++i) {
        if (i < m_paths.size()) {
            m_store.WriteProfileString(m_section, entryName(i), m_paths[i]);
        } else {
            m_store.removeEntry(m_section, entryName(i));
        }
    }
}
