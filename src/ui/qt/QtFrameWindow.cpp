#include "ui/qt/QtFrameWindow.h"

#include "res/FrameResources.h"
#include "ui/BusyFlow.h"
#include "ui/CFrameWnd.h"
#include "ui/CView.h"
#include "ui/qt/QtBusyIndicator.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <vector>

namespace {

constexpr int kMenuRetryMs = 50;

QKeySequence keyOf(const AcceleratorTemplate& entry) {
    int key = static_cast<int>(entry.key);
    if (entry.key >= VK_F1 && entry.key <= VK_F12) {
        key = Qt::Key_F1 + static_cast<int>(entry.key - VK_F1);
    }
    Qt::KeyboardModifiers modifiers;
    if ((entry.modifiers & FCONTROL) != 0) {
        modifiers |= Qt::ControlModifier;
    }
    if ((entry.modifiers & FSHIFT) != 0) {
        modifiers |= Qt::ShiftModifier;
    }
    if ((entry.modifiers & FALT) != 0) {
        modifiers |= Qt::AltModifier;
    }
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

} // namespace

QtFrameWindow::QtFrameWindow(CFrameWnd& frame) : m_frame(&frame), m_client(new QWidget(this)) {
    setCentralWidget(m_client);
    setAcceptDrops(true);
    frame.setFramePeer(this);
    titleChanged();
    buildMenu();
    buildToolBar();
    buildStatusBar();
    m_busy = new QtBusyIndicator(*statusBar());
    buildAccelerators();
    controlBarsChanged();
    resize(640, 480);
    m_normal = QRect(pos(), size());
    m_idleConnection = QObject::connect(QAbstractEventDispatcher::instance(),
                                        &QAbstractEventDispatcher::aboutToBlock, [this] {
                                            if (m_frame != nullptr && m_frame->takesInput()) {
                                                m_frame->OnIdle();
                                            }
                                        });
    visibilityChanged();
}

QtFrameWindow::~QtFrameWindow() {
    detach();
}

void QtFrameWindow::detach() {
    QObject::disconnect(m_idleConnection);
    if (m_frame != nullptr && m_frame->contextHelpMode()) {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
    }
    if (m_frame != nullptr) {
        m_frame->setFramePeer(nullptr);
    }
    m_frame = nullptr;
}

void QtFrameWindow::titleChanged() {
    if (m_frame != nullptr) {
        setWindowTitle(QString::fromStdString(m_frame->GetWindowText()));
    }
}

void QtFrameWindow::visibilityChanged() {
    if (m_frame != nullptr) {
        setVisible(m_frame->IsWindowVisible());
    }
}

QAction* QtFrameWindow::commandAction(int id, const QString& text, QObject* parent) {
    auto* action = new QAction(text, parent);
    QObject::connect(action, &QAction::triggered, this, [this, id] {
        if (m_frame != nullptr) {
            m_frame->userCommand(id);
        }
    });
    QObject::connect(action, &QAction::hovered, this, [this, id] {
        if (m_frame != nullptr) {
            m_frame->userMenuSelect(id);
        }
    });
    return action;
}

void QtFrameWindow::addEntries(QMenu& menu, const std::vector<CMenu::Item>& items) {
    for (const CMenu::Item& item : items) {
        if (item.separator) {
            menu.addSeparator();
        } else if (!item.popup.empty()) {
            QMenu* popup = menu.addMenu(QString::fromStdString(item.text));
            QObject::connect(popup->menuAction(), &QAction::hovered, this, [this] {
                if (m_frame != nullptr) {
                    m_frame->userMenuSelect(0);
                }
            });
            addEntries(*popup, item.popup);
        } else {
            // A "\t" in the text puts the accelerator in the menu's shortcut column.
            QAction* action = commandAction(item.id, QString::fromStdString(item.text), &menu);
            menu.addAction(action);
            m_menuActions.emplace(item.id, action);
            showState(*action, item.id);
        }
    }
}

void QtFrameWindow::buildMenu() {
    menuBar()->clear();
    m_menuActions.clear();
    if (m_frame == nullptr) {
        return;
    }
    for (const CMenu::Item& popupItem : m_frame->GetMenu().popups()) {
        QMenu* popup = menuBar()->addMenu(QString::fromStdString(popupItem.text));
        QObject::connect(popup, &QMenu::aboutToShow, this, [this] {
            if (m_frame != nullptr) {
                m_frame->userMenuOpening();
            }
        });
        QObject::connect(popup, &QMenu::aboutToHide, this, [this] {
            if (m_frame != nullptr) {
                m_frame->userMenuClosed();
            }
        });
        addEntries(*popup, popupItem.popup);
    }
}

void QtFrameWindow::buildToolBar() {
    const ToolbarTemplate* resource = m_frame->toolBar().resource();
    if (resource == nullptr) {
        return;
    }
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(resource->buttonWidth, resource->buttonHeight));
    m_toolBar->installEventFilter(this);
    const QPixmap strip(resource->imageXpm);
    for (const CToolBar::Button& button : m_frame->toolBar().buttons()) {
        if (button.id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        const QString tip = QString::fromStdString(CToolBar::tooltip(button.id));
        QAction* action = commandAction(button.id, tip, m_toolBar);
        action->setIcon(QIcon(strip.copy(button.image * resource->buttonWidth, 0,
                                         resource->buttonWidth, resource->buttonHeight)));
        action->setToolTip(tip);
        m_toolBar->addAction(action);
        m_buttons[button.id] = action;
        showState(*action, button.id);
    }
}

void QtFrameWindow::buildStatusBar() {
    const auto& panes = m_frame->statusBar().panes();
    for (size_t i = 0; i < panes.size(); ++i) {
        auto* label = new QLabel(QString::fromStdString(panes[i].text), statusBar());
        if (i == 0) {
            statusBar()->addWidget(label, 1);
        } else {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setAlignment(Qt::AlignCenter);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) +
                                   12);
            statusBar()->addPermanentWidget(label);
        }
        m_panes.push_back(label);
    }
}

void QtFrameWindow::buildAccelerators() {
    const AcceleratorTable* table = m_frame->accelerators();
    if (table == nullptr) {
        return;
    }
    for (const AcceleratorTemplate& entry : table->entries) {
        auto* shortcut = new QShortcut(keyOf(entry), this);
        shortcut->setContext(Qt::WindowShortcut);
        const unsigned key = entry.key;
        const uint8_t modifiers = entry.modifiers;
        QObject::connect(shortcut, &QShortcut::activated, this, [this, key, modifiers] {
            if (m_frame != nullptr) {
                m_frame->userKey(key, modifiers);
            }
        });
    }
}

void QtFrameWindow::showState(QAction& action, int id) const {
    bool enabled = true;
    bool checked = false;
    if (const CMenu::Item* item = m_frame->GetMenu().find(id)) {
        enabled = item->enabled;
        checked = item->checked;
        if (m_menuActions.count(id) != 0 && action.parent() != m_toolBar) {
            action.setText(QString::fromStdString(item->text));
        }
    } else {
        for (const CToolBar::Button& button : m_frame->toolBar().buttons()) {
            if (button.id == id) {
                enabled = button.enabled;
                checked = button.checked;
            }
        }
    }
    // In context help a greyed command can be chosen too: it asks what the command is.
    action.setEnabled(enabled || m_frame->contextHelpMode());
    // Only a checked entry shows a check box, as the menus of the unit's platform do.
    action.setCheckable(checked);
    action.setChecked(checked);
}

void QtFrameWindow::menuChanged() {
    // Rebuilt from the event loop: the change may come from a command whose menu entry is
    // still emitting its signal, and its action must outlive that.
    if (!m_menuRebuildPending) {
        m_menuRebuildPending = true;
        rebuildMenuLater(0);
    }
}

void QtFrameWindow::rebuildMenuLater(int delayMs) {
    QTimer::singleShot(delayMs, this, [this] {
        // The local loop of a busy flow runs inside the command, whose entry must stay too.
        if (BusyFlow::state().running || BusyFlow::state().stepsRunning > 0) {
            rebuildMenuLater(kMenuRetryMs);
            return;
        }
        m_menuRebuildPending = false;
        buildMenu();
    });
}

void QtFrameWindow::commandStateChanged(int id) {
    if (m_frame == nullptr) {
        return;
    }
    const auto [first, last] = m_menuActions.equal_range(id);
    for (auto it = first; it != last; ++it) {
        showState(*it->second, id);
    }
    if (const auto button = m_buttons.find(id); button != m_buttons.end()) {
        showState(*button->second, id);
    }
}

void QtFrameWindow::statusPaneChanged(size_t index) {
    if (m_frame != nullptr && index < m_panes.size()) {
        m_panes[index]->setText(QString::fromStdString(m_frame->statusBar().GetPaneText(index)));
    }
}

void QtFrameWindow::controlBarsChanged() {
    if (m_frame == nullptr) {
        return;
    }
    if (m_toolBar != nullptr) {
        m_toolBar->setVisible(m_frame->toolBar().visible);
    }
    statusBar()->setVisible(m_frame->statusBar().visible);
}

void QtFrameWindow::contextHelpModeChanged() {
    if (m_frame == nullptr) {
        return;
    }
    if (m_frame->contextHelpMode()) {
        QApplication::setOverrideCursor(Qt::WhatsThisCursor);
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
    }
    for (const auto& [id, action] : m_menuActions) {
        showState(*action, id);
    }
    for (const auto& [id, action] : m_buttons) {
        showState(*action, id);
    }
}

bool QtFrameWindow::contextHelpEvent(QObject* watched, QEvent* event) {
    // Esc in an open menu closes the menu; elsewhere it ends context help.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        QApplication::activePopupWidget() == nullptr) {
        m_frame->userCancelContextHelp();
        return true;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::MouseButtonPress || widget == nullptr) {
        return false;
    }
    // Menus and toolbar buttons are commands: their actions reach the frame as such.
    if (m_client->isAncestorOf(widget) || widget == m_client) {
        return m_frame->userHelpClick(m_frame->GetActiveView());
    }
    if (widget == m_toolBar || widget == statusBar() || statusBar()->isAncestorOf(widget)) {
        return m_frame->userHelpClick(nullptr);
    }
    return false;
}

std::vector<QAction*> QtFrameWindow::actionsOf(int id) const {
    std::vector<QAction*> actions;
    const auto [first, last] = m_menuActions.equal_range(id);
    for (auto it = first; it != last; ++it) {
        actions.push_back(it->second);
    }
    if (const auto button = m_buttons.find(id); button != m_buttons.end()) {
        actions.push_back(button->second);
    }
    return actions;
}

QLabel* QtFrameWindow::statusPane(size_t index) const {
    return index < m_panes.size() ? m_panes[index] : nullptr;
}

void QtFrameWindow::placementChanged() {
    if (m_frame == nullptr || !m_frame->GetWindowPlacement()) {
        return;
    }
    // The placement is the client area's; leave room on each screen for the frame the desktop
    // draws around it: borders, and a caption bar about two lines high.
    const int border = fontMetrics().height() / 2;
    const int caption = 2 * fontMetrics().height();
    std::vector<WindowPlacement::Area> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const WindowPlacement::Area room{area.x() + border, area.y() + caption,
                                         area.width() - 2 * border,
                                         area.height() - caption - border};
        // The primary screen first: the one a window that is on none goes to.
        if (screen == QGuiApplication::primaryScreen()) {
            screens.insert(screens.begin(), room);
        } else {
            screens.push_back(room);
        }
    }
    const WindowPlacement placement = m_frame->GetWindowPlacement()->fittedTo(screens);
    m_normal = QRect(placement.x, placement.y, placement.width, placement.height);
    setWindowState(windowState() & ~Qt::WindowMaximized);
    // The client area, not the frame: before the window is shown the desktop has not drawn
    // its frame yet, so a frame position would come back one caption bar lower.
    setGeometry(m_normal);
    if (placement.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void QtFrameWindow::reportPlacement() {
    if (m_frame == nullptr || !isVisible()) {
        return;
    }
    if (!isMaximized() && !isMinimized() && !isFullScreen()) {
        m_normal = geometry();
    }
    m_frame->userPlaced(
        {m_normal.x(), m_normal.y(), m_normal.width(), m_normal.height(), isMaximized()});
}

void QtFrameWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    reportPlacement();
}

void QtFrameWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    reportPlacement();
}

void QtFrameWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        reportPlacement();
    }
}

void QtFrameWindow::closeEvent(QCloseEvent* event) {
    // The frame decides (it may ask to save); when it agrees it destroys itself and this widget.
    event->ignore();
    if (m_frame != nullptr) {
        m_frame->userClose();
    }
}

void QtFrameWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void QtFrameWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
        }
    }
    if (m_frame != nullptr && m_frame->userDropFiles(paths)) {
        event->acceptProposedAction();
    }
}

bool QtFrameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_frame != nullptr && m_frame->contextHelpMode() && contextHelpEvent(watched, event)) {
        return true;
    }
    // Leaving the toolbar ends the fly-by prompt of its buttons.
    if (watched == m_toolBar && event->type() == QEvent::Leave && m_frame != nullptr) {
        m_frame->userMenuClosed();
    }
    return QMainWindow::eventFilter(watched, event);
}
