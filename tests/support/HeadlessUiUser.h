#pragma once

#include "support/HeadlessUi.h"
#include "support/UiUser.h"

#include "ui/CFrameWnd.h"
#include "ui/CTreeCtrl.h"
#include "ui/CWnd.h"
#include "ui/DialogDriver.h"

// The user of the headless backend: each action goes through the scripted driver, and time
// passes on the backend's manual clock.
class HeadlessUiUser final : public UiUser {
public:
    void expectModal(int templateId, ModalScript script) override {
        m_ui.backend.expectDialog(
            templateId, [this, script](DialogDriver& driver) { script(*this, driver.window()); });
    }
    void answerMessageBox(int answer) override { m_ui.backend.answerMessageBox(answer); }

    void click(CWnd& window, int controlId) override { driver(window).click(controlId); }
    void type(CWnd& window, int controlId, const std::string& text) override {
        driver(window).type(controlId, text);
    }
    void select(CWnd& window, int controlId, int index) override {
        driver(window).select(controlId, index);
    }
    void focus(CWnd& window, int controlId) override { driver(window).focusOn(controlId); }
    void pressEnter(CWnd& window) override { driver(window).pressEnter(); }
    void pressEscape(CWnd& window) override { driver(window).pressEscape(); }
    void doubleClick(CTreeCtrl& tree, HTREEITEM item) override { tree.userDoubleClick(item); }
    void pressArrow(CWnd& window, bool down) override { driver(window).pressArrow(down); }
    void pressEnter(CTreeCtrl& tree, HTREEITEM item) override {
        tree.userSelect(item);
        EXPECT_TRUE(tree.userReturn());
    }
    bool waitUntil(const std::function<bool()>& done) override {
        constexpr unsigned kStepMs = 10;
        constexpr int kSteps = 10000;
        for (int step = 0; step < kSteps && !done(); ++step) {
            m_ui.backend.advance(kStepMs);
        }
        return done();
    }

    ShownEntry shownEntry(CFrameWnd& frame, int commandId) override {
        const CMenu::Item* item = frame.GetMenu().find(commandId);
        EXPECT_NE(item, nullptr) << "no menu entry " << commandId;
        return item != nullptr ? ShownEntry{item->enabled, item->checked, item->text}
                               : ShownEntry{false, false, ""};
    }
    std::string shownStatusText(CFrameWnd& frame) override { return frame.GetMessageText(); }
    void openMenu(CFrameWnd& frame, size_t /*popup*/) override { frame.userMenuOpening(); }
    void highlightEntry(CFrameWnd& frame, int commandId) override {
        frame.userMenuSelect(commandId);
    }
    void chooseEntry(CFrameWnd& frame, int commandId) override {
        frame.userMenuOpening();
        frame.userMenuClosed();
        frame.userCommand(commandId);
    }
    void closeMenu(CFrameWnd& frame) override { frame.userMenuClosed(); }
    void pressKey(CFrameWnd& frame, unsigned key, uint8_t modifiers) override {
        frame.userKey(key, modifiers);
    }
    void clickToolButton(CFrameWnd& frame, int commandId) override { frame.userCommand(commandId); }

private:
    DialogDriver driver(CWnd& window) { return DialogDriver(m_ui.backend, window); }

    HeadlessUi m_ui;
};
