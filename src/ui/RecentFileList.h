#pragma once

#include <cstddef>
#include <string>
#include <vector>

class SettingsStore;

// The documents opened or saved last, newest first, kept in the settings store as entries
// File1..FileN of one section. A path that is added again moves to the front; when the list
// is full the oldest entry drops out.
class RecentFileList {
public:
    RecentFileList(SettingsStore& store, std::string section, size_t capacity);

    // Reads the entries from the store (empty and repeated ones are skipped).
    void load();
    // Puts the path, made absolute, at the front and writes the list to the store.
    void add(const std::string& path);
    void remove(size_t index);

    size_t size() const { return m_paths.size(); }
    size_t capacity() const { return m_capacity; }
    const std::string& operator[](size_t index) const { return m_paths[index]; }
    const std::vector<std::string>& paths() const { return m_paths; }
    // The menu text of an entry: "&1 name.vtr" (the file name, its number as mnemonic).
    std::string menuText(size_t index) const;

private:
    std::string entryName(size_t index) const;
    void save();

    SettingsStore& m_store;
    std::string m_section;
    size_t m_capacity;
    std::vector<std::string> m_paths;
};
