#pragma once

#include "ui/TreeItemHandle.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class CFrameWnd;
class CTreeCtrl;
class CWnd;

// A person at the windows of one backend. A scenario written against this runs unchanged on
// the headless backend and through Qt's real widgets, so that neither can drift from the
// other. Acting on a window that cannot take it fails the test.
class UiUser {
public:
    using ModalScript = std::function<void(UiUser& user, CWnd& dialog)>;

    virtual ~UiUser() = default;

    // The next modal run of the dialog with this template is acted out by script, inside its
    // loop; several runs queue up. A dialog the script leaves open fails the test.
    virtual void expectModal(int templateId, ModalScript script) = 0;
    // The answer to the next message box; several answers queue up.
    virtual void answerMessageBox(int answer) = 0;

    virtual void click(CWnd& window, int controlId) = 0;
    virtual void type(CWnd& window, int controlId, const std::string& text) = 0;
    virtual void select(CWnd& window, int controlId, int index) = 0;
    // Moves the focus into a control without acting on it.
    virtual void focus(CWnd& window, int controlId) = 0;
    virtual void pressEnter(CWnd& window) = 0;
    virtual void pressEscape(CWnd& window) = 0;
    virtual void doubleClick(CTreeCtrl& tree, HTREEITEM item) = 0;
    // The down (or up) arrow key in the focused control.
    virtual void pressArrow(CWnd& window, bool down) = 0;
    // Moves to a row of a tree with the keyboard and presses Enter on it.
    virtual void pressEnter(CTreeCtrl& tree, HTREEITEM item) = 0;
    // Lets time pass, timers firing and posted messages arriving, until done holds; false
    // when it does not within a generous while.
    virtual bool waitUntil(const std::function<bool()>& done) = 0;

    // At a frame: a menu entry as the user sees it, and the status bar's message pane.
    struct ShownEntry {
        bool enabled;
        bool checked;
        std::string text;
    };
    virtual ShownEntry shownEntry(CFrameWnd& frame, int commandId) = 0;
    virtual std::string shownStatusText(CFrameWnd& frame) = 0;
    // Opens a popup of the menu bar (0 for the first), highlights an entry of the open
    // popup, chooses an entry (opening its popup first), and closes the menu.
    virtual void openMenu(CFrameWnd& frame, size_t popup) = 0;
    virtual void highlightEntry(CFrameWnd& frame, int commandId) = 0;
    virtual void chooseEntry(CFrameWnd& frame, int commandId) = 0;
    virtual void closeMenu(CFrameWnd& frame) = 0;
    // A key with FSHIFT, FCONTROL, FALT; letters as upper-case characters, function keys VK_F*.
    virtual void pressKey(CFrameWnd& frame, unsigned key, uint8_t modifiers) = 0;
    virtual void clickToolButton(CFrameWnd& frame, int commandId) = 0;
};
