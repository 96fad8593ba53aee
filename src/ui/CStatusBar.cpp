#include "ui/CStatusBar.h"

#include "res/Resources.h"

void CStatusBar::SetIndicators(std::span<const int> ids) {
    m_panes.clear();
    for (const int id : ids) {
        m_panes.push_back({id, id == 0 ? "" : loadString(id)});
    }
}

bool CStatusBar::SetPaneText(size_t index, const std::string& text) {
    if (index >= m_panes.size() || m_panes[index].text == text) {
        return false;
    }
    m_panes[index].text = text;
    return true;
}

std::string CStatusBar::GetPaneText(size_t index) const {
    return index < m_panes.size() ? m_panes[index].text : std::string();
}
