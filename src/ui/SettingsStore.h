#pragma once

#include <string>
#include <utility>
#include <vector>

// The per-user settings of the program: an INI file named after the application in a folder
// named after the organisation, under $XDG_CONFIG_HOME (or ~/.config when that is unset, empty
// or relative), for instance ~/.config/Corvantis/VtrConfig.ini. Values are text in sections;
// every write goes to the disk at once, by replacing the whole file, and a file that cannot
// be read or written leaves the values in memory working for the rest of the run.
class SettingsStore {
public:
    SettingsStore() = default;
    // Loads the store of this organisation and application.
    SettingsStore(const std::string& organisation, const std::string& application);

    // The INI file for an organisation and application; empty when no absolute folder can be
    // named.
    static std::string defaultPath(const std::string& organisation, const std::string& application);

    // Uses this file from now on and loads it; a missing file is an empty store.
    void open(const std::string& path);
    const std::string& path() const { return m_path; }

    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& fallback = "") const;
    int GetProfileInt(const std::string& section, const std::string& entry, int fallback) const;
    // False when the file could not be written (the value is kept in memory all the same).
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value);
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value);
    bool removeEntry(const std::string& section, const std::string& entry);

    // Why the last load or write failed.
    const std::string& failureReason() const { return m_failure; }

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };

    void parse(const std::string& text);
    // The section of this name, added at the end when there is none.
    Section& section(const std::string& name);
    std::string render() const;
    bool save();
    const std::string* find(const std::string& section, const std::string& entry) const;

    std::string m_path;
    std::vector<Section> m_sections;
    std::string m_failure;
};
