#pragma once

#include <string>
#include <vector>

class CDialog;
class HeadlessBackend;
struct ControlState;

// The scripted user inside a headless modal dialog: reads what every control shows and acts
// as a person would, through the same notifications a real widget sends. Acting on a missing
// or greyed control, or on a dialog that has already ended, is reported as a problem and
// returns false.
class DialogDriver {
public:
    DialogDriver(HeadlessBackend& backend, CDialog& dialog)
        : m_backend(backend), m_dialog(dialog) {}

    CDialog& dialog() const { return m_dialog; }
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

    // Picks a line of a combo or list box (CBN_SELCHANGE / LBN_SELCHANGE).
    bool select(int controlId, int index);
    // Replaces the text of an edit box (EN_UPDATE, EN_CHANGE).
    bool type(int controlId, const std::string& text);
    // Clicks a push button or radio button (BN_CLICKED); a radio button is checked first and
    // the others of its group cleared.
    bool click(int controlId);
    // Enter: a line break in a multi-line edit that wants it, else the focused push button,
    // else the default button.
    bool pressEnter();
    // Esc or the close box: IDCANCEL.
    bool pressEscape();

    // Time passes while the dialog is open.
    void advance(unsigned milliseconds);
    void pumpMessages();

private:
    ControlState* usable(int controlId, const char* action);

    HeadlessBackend& m_backend;
    CDialog& m_dialog;
};
