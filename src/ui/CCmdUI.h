#pragma once

#include <optional>
#include <string>

// What an update handler says about one command: whether its menu item and toolbar button
// are enabled, checked, and the item's text. What the handler leaves alone stays as it was.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_id(id) {}

    int id() const { return m_id; }
    void Enable(bool enable = true) { m_enabled = enable; }
    void SetCheck(bool checked = true) { m_checked = checked; }
    void SetText(const std::string& text) { m_text = text; }

    const std::optional<bool>& enabled() const { return m_enabled; }
    const std::optional<bool>& checked() const { return m_checked; }
    const std::optional<std::string>& text() const { return m_text; }

private:
    int m_id;
    std::optional<bool> m_enabled;
    std::optional<bool> m_checked;
    std::optional<std::string> m_text;
};
