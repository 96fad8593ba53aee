#pragma once

#include "support/UiUser.h"

#include "res/FrameResources.h"
#include "ui/CFrameWnd.h"
#include "ui/CTreeCtrl.h"
#include "ui/CWnd.h"
#include "ui/UiConstants.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtFrameWindow.h"
#include "ui/qt/QtTreePeer.h"
#include "ui/qt/QtWindowPeer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>
#include <map>

// The user of the Qt backend: mouse and keys on the real widgets, and time passing on the
// event loop. Scripts of modal dialogs and message box answers run once their loop runs.
class QtUiUser final : public UiUser {
public:
    QtUiUser() : m_scope(m_backend) {
        m_backend.setModalObserver([this](QWidget& modal, CWnd* window) {
            if (window != nullptr) {
                runScript(*window);
            } else {
                answer(static_cast<QMessageBox&>(modal));
            }
        });
    }

    void expectModal(int templateId, ModalScript script) override {
        m_scripts[templateId].push_back(std::move(script));
    }
    void answerMessageBox(int answer) override { m_answers.push_back(answer); }

    void click(CWnd& window, int controlId) override {
        QTest::mouseClick(widget<QAbstractButton>(window, controlId), Qt::LeftButton);
    }
    void type(CWnd& window, int controlId, const std::string& text) override {
        QWidget* edit = widget<QWidget>(window, controlId);
        if (auto* line = qobject_cast<QLineEdit*>(edit)) {
            line->selectAll();
        } else if (auto* lines = qobject_cast<QPlainTextEdit*>(edit)) {
            lines->selectAll();
        }
        QTest::keyClicks(edit, QString::fromStdString(text));
    }
    void select(CWnd& window, int controlId, int index) override {
        QWidget* lines = widget<QWidget>(window, controlId);
        if (auto* list = qobject_cast<QListWidget*>(lines)) {
            const QRect line = list->visualItemRect(list->item(index));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
        } else if (auto* combo = qobject_cast<QComboBox*>(lines)) {
            // The arrow keys pick the neighbouring line, as the user does without the mouse.
            while (combo->currentIndex() != index) {
                const int before = combo->currentIndex();
                QTest::keyClick(combo, before < index ? Qt::Key_Down : Qt::Key_Up);
                if (combo->currentIndex() == before) {
                    ADD_FAILURE() << "line " << index << " cannot be reached";
                    return;
                }
            }
        }
    }
    void focus(CWnd& window, int controlId) override {
        widget<QWidget>(window, controlId)->setFocus(Qt::TabFocusReason);
    }
    void pressEnter(CWnd& window) override { QTest::keyClick(keyTarget(window), Qt::Key_Return); }
    void pressEscape(CWnd& window) override { QTest::keyClick(keyTarget(window), Qt::Key_Escape); }
    void doubleClick(CTreeCtrl& tree, HTREEITEM item) override {
        QTreeWidgetItem* row = rowOf(tree, item);
        ASSERT_NE(row, nullptr) << "no such row on the screen";
        // The view takes a double-click only on the row its first click pressed.
        QTreeWidget* shown = row->treeWidget();
        const QPoint at = shown->visualItemRect(row).center();
        QTest::mouseClick(shown->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(shown->viewport(), Qt::LeftButton, {}, at);
    }
    void pressArrow(CWnd& window, bool down) override {
        QTest::keyClick(keyTarget(window), down ? Qt::Key_Down : Qt::Key_Up);
    }
    void pressEnter(CTreeCtrl& tree, HTREEITEM item) override {
        QTreeWidgetItem* row = rowOf(tree, item);
        ASSERT_NE(row, nullptr) << "no such row on the screen";
        row->treeWidget()->setCurrentItem(row);
        QTest::keyClick(row->treeWidget(), Qt::Key_Return);
    }
    bool waitUntil(const std::function<bool()>& done) override {
        return QTest::qWaitFor(done, 20000);
    }

    ShownEntry shownEntry(CFrameWnd& frame, int commandId) override {
        QAction* action = menuAction(frame, commandId);
        if (action == nullptr) {
            return {false, false, ""};
        }
        return {action->isEnabled(), action->isChecked(), action->text().toStdString()};
    }
    std::string shownStatusText(CFrameWnd& frame) override {
        return frameWindow(frame)->statusPane(0)->text().toStdString();
    }
    void openMenu(CFrameWnd& frame, size_t popup) override {
        QtFrameWindow* window = frameWindow(frame);
        const QList<QAction*> popups = window->menuBar()->actions();
        ASSERT_LT(popup, static_cast<size_t>(popups.size()));
        QMenu* menu = popups[static_cast<qsizetype>(popup)]->menu();
        menu->popup(window->mapToGlobal(QPoint(0, 0)));
        EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000));
    }
    void highlightEntry(CFrameWnd& frame, int commandId) override {
        QAction* action = menuAction(frame, commandId);
        auto* menu = action != nullptr ? qobject_cast<QMenu*>(action->parent()) : nullptr;
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(action);
    }
    void chooseEntry(CFrameWnd& frame, int commandId) override {
        QAction* action = menuAction(frame, commandId);
        auto* menu = action != nullptr ? qobject_cast<QMenu*>(action->parent()) : nullptr;
        ASSERT_NE(menu, nullptr);
        menu->popup(frameWindow(frame)->mapToGlobal(QPoint(0, 0)));
        EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        // A greyed entry leaves its menu open.
        menu->hide();
    }
    void closeMenu(CFrameWnd& frame) override {
        for (QAction* popup : frameWindow(frame)->menuBar()->actions()) {
            popup->menu()->hide();
        }
    }
    void pressKey(CFrameWnd& frame, unsigned key, uint8_t modifiers) override {
        QtFrameWindow* window = frameWindow(frame);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        Qt::KeyboardModifiers qtModifiers;
        if ((modifiers & FCONTROL) != 0) {
            qtModifiers |= Qt::ControlModifier;
        }
        if ((modifiers & FSHIFT) != 0) {
            qtModifiers |= Qt::ShiftModifier;
        }
        if ((modifiers & FALT) != 0) {
            qtModifiers |= Qt::AltModifier;
        }
        const int qtKey = key >= VK_F1 && key <= VK_F12 ? Qt::Key_F1 + static_cast<int>(key - VK_F1)
                                                        : static_cast<int>(key);
        QTest::keyClick(window, static_cast<Qt::Key>(qtKey), qtModifiers);
    }
    void clickToolButton(CFrameWnd& frame, int commandId) override {
        QtFrameWindow* window = frameWindow(frame);
        for (QAction* action : window->actionsOf(commandId)) {
            if (QWidget* button = window->toolBar()->widgetForAction(action)) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        ADD_FAILURE() << "no toolbar button " << commandId;
    }

    // The widget that shows a tree control, or null.
    QTreeWidget* treeOf(CTreeCtrl& tree) {
        return tree.host() != nullptr ? peer(*tree.host())->treeWidget(tree) : nullptr;
    }

private:
    // The widget's row of a tree item, or null.
    QTreeWidgetItem* rowOf(CTreeCtrl& tree, HTREEITEM item) {
        QTreeWidget* shown = treeOf(tree);
        if (shown == nullptr) {
            return nullptr;
        }
        for (QTreeWidgetItemIterator it(shown); *it != nullptr; ++it) {
            if (QtTreePeer::handleOf(*it) == item) {
                return *it;
            }
        }
        return nullptr;
    }
    QtFrameWindow* frameWindow(CFrameWnd& frame) {
        auto* found = dynamic_cast<QtFrameWindow*>(peer(frame));
        EXPECT_NE(found, nullptr) << "the frame has no window";
        return found;
    }
    QAction* menuAction(CFrameWnd& frame, int commandId) {
        for (QAction* action : frameWindow(frame)->actionsOf(commandId)) {
            if (qobject_cast<QMenu*>(action->parent()) != nullptr) {
                return action;
            }
        }
        ADD_FAILURE() << "no menu entry " << commandId;
        return nullptr;
    }
    QtWindowPeer* peer(CWnd& window) {
        QtWindowPeer* found = m_backend.peerOf(window);
        EXPECT_NE(found, nullptr) << "the window has no widget";
        return found;
    }
    template <typename Widget>
    Widget* widget(CWnd& window, int controlId) {
        QtWindowPeer* shown = peer(window);
        auto* found =
            qobject_cast<Widget*>(shown != nullptr ? shown->controlWidget(controlId) : nullptr);
        EXPECT_NE(found, nullptr) << "control " << controlId;
        return found;
    }
    // Keys go to the focused control, or to the window when none has the focus.
    QWidget* keyTarget(CWnd& window) {
        QWidget* shown = peer(window)->widget();
        return shown->focusWidget() != nullptr ? shown->focusWidget() : shown;
    }
    void runScript(CWnd& window) {
        const int templateId = window.dialogTemplate() != nullptr ? window.dialogTemplate()->id : 0;
        std::deque<ModalScript>& queued = m_scripts[templateId];
        if (queued.empty()) {
            ADD_FAILURE() << "dialog " << templateId << " opened without a script";
            window.EndModalLoop(IDCANCEL);
            return;
        }
        const ModalScript script = std::move(queued.front());
        queued.pop_front();
        script(*this, window);
        if (window.IsWindow() && !window.modalEnded()) {
            ADD_FAILURE() << "dialog " << templateId << " left open by its script";
            window.EndModalLoop(IDCANCEL);
        }
    }
    void answer(QMessageBox& box) {
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected message box: " << box.text().toStdString();
            box.reject();
            return;
        }
        const int answer = m_answers.front();
        m_answers.pop_front();
        const auto button =
            static_cast<QMessageBox::StandardButton>(QtBackend::standardButton(answer));
        ASSERT_NE(box.button(button), nullptr) << "the box offers no answer " << answer;
        QTest::mouseClick(box.button(button), Qt::LeftButton);
    }

    QtBackend m_backend;
    ScopedBackend m_scope;
    std::map<int, std::deque<ModalScript>> m_scripts;
    std::deque<int> m_answers;
};
