#pragma once

#include <span>
#include <string>
#include <vector>

// A status bar as the frame holds it: panes by id, the first (ID_SEPARATOR) for messages and
// prompts, the others indicators showing their string ("CAP", "NUM", "SCRL").
class CStatusBar {
public:
    struct Pane {
        int id;
        std::string text;
    };

    void SetIndicators(std::span<const int> ids);
    const std::vector<Pane>& panes() const { return m_panes; }
    // Sets a pane's text; false when there is no such pane or the text is the same.
    bool SetPaneText(size_t index, const std::string& text);
    std::string GetPaneText(size_t index) const;

    bool visible = true;

private:
    std::vector<Pane> m_panes;
};
