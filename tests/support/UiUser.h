#pragma once

#include "ui/TreeItemHandle.h"

#include <functional>
#include <string>

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
    // Lets time pass, timers firing and posted messages arriving, until done holds; false
    // when it does not within a generous while.
    virtual bool waitUntil(const std::function<bool()>& done) = 0;
};
