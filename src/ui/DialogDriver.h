#pragma once

#include <string>
#include <vector>

class CWnd;
class HeadlessBackend;
struct ControlState;

// The scripted user of one headless window (a modal dialog while its script runs, a modeless
// dialog, a view): reads what every control shows and acts as a person would, through the
// window's user* operations, which hold the rules a real widget follows too. An action the
// window refuses (a missing or greyed control, a window that is disabled, hidden or has
// ended) is reported as a problem and returns false.
class DialogDriver {
public:
    DialogDriver(HeadlessBackend& backend, CWnd& window) : m_backend(backend), m_window(window) {}

    CWnd& window() const { return m_window; }
    HeadlessBackend& backend() const { return m_backend; }

    // What the controls show; a missing control reads as empty.
    std::string text(int controlId) const;
    std::vector<std::string> items(int controlId) const;
    int selection(int controlId) const;
    bool enabled(int controlId) const;
    bool checked(int controlId) const;
    int focus() const;
    std::string title() const;
    bool ended() const;
    const ControlState* control(int controlId) const;

    // Picks a line of a combo or list box.
    bool select(int controlId, int index);
    // Replaces the text of an edit box.
    bool type(int controlId, const std::string& text);
    // Clicks a push button or radio button.
    bool click(int controlId);
    // Tabs or clicks into a control without acting on it.
    bool focusOn(int controlId);
    bool pressEnter();
    // The down (or up) arrow key in the focused control.
    bool pressArrow(bool down);
    // Esc or the close box.
    bool pressEscape();

    // Time passes while the window is open.
    void advance(unsigned milliseconds);
    void pumpMessages();

private:
    bool acted(bool done, const std::string& action, int controlId);

    HeadlessBackend& m_backend;
    CWnd& m_window;
};
