#include "ui/CToolBar.h"

#include "res/Resources.h"

bool CToolBar::LoadToolBar(int resourceId) {
    m_resource = findToolbar(resourceId);
    m_buttons.clear();
    if (m_resource == nullptr) {
        return false;
    }
    int image = 0;
    for (const int id : m_resource->buttons) {
        m_buttons.push_back({id, id == 0 ? -1 : image++});
    }
    return true;
}

CToolBar::Button* CToolBar::find(int id) {
    for (Button& button : m_buttons) {
        if (button.id == id && id != 0) {
            return &button;
        }
    }
    return nullptr;
}

std::string CToolBar::tooltip(int id) {
    const std::string text = loadString(id);
    const size_t newline = text.find('\n');
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}
