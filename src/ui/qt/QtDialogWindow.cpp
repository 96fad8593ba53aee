#include "ui/qt/QtDialogWindow.h"

#include "ui/CWnd.h"

#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>

namespace {

QSize templateSize(const CWnd& window, const QFont& font) {
    const DialogUnits units(font);
    const DialogTemplate* from = window.dialogTemplate();
    return from != nullptr ? QSize(units.x(from->cx), units.y(from->cy)) : QSize();
}

// The width a caption bar needs for the title beside the window's icon and buttons; the
// desktop draws it in a bold face.
int captionWidth(const QString& title, QFont font) {
    constexpr int kButtonsAndIcon = 7;
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) + kButtonsAndIcon * metrics.height();
}

} // namespace

QtDialogWindow::QtDialogWindow(CWnd& window, QWidget* parent)
    : QDialog(parent), m_window(&window), m_host(window, *this) {
    // The control that has the focus when the dialog opens shows it, as after a Tab.
    setAttribute(Qt::WA_KeyboardFocusChange);
    setWindowTitle(QString::fromStdString(window.GetWindowText()));
    fitToTitle();
    focusChanged(window.GetFocusId());
}

void QtDialogWindow::fitToTitle() {
    // A title wider than the template widens the window, with the controls in its middle.
    const QSize controls = templateSize(*m_window, font());
    const int width = std::max(controls.width(), captionWidth(windowTitle(), font()));
    setFixedSize(width, controls.height());
    m_host.layOut(QPoint((width - controls.width()) / 2, 0));
}

QtDialogWindow::~QtDialogWindow() {
    detach();
}

bool QtDialogWindow::runModalLoop() {
    exec();
    return true;
}

void QtDialogWindow::endModalLoop(int result) {
    done(result);
}

void QtDialogWindow::detach() {
    m_host.detach();
    m_window = nullptr;
}

void QtDialogWindow::titleChanged() {
    if (m_window != nullptr) {
        setWindowTitle(QString::fromStdString(m_window->GetWindowText()));
        fitToTitle();
    }
}

void QtDialogWindow::focusChanged(int controlId) {
    m_host.showFocus(controlId);
}

void QtDialogWindow::visibilityChanged() {
    if (m_window != nullptr) {
        setVisible(m_window->IsWindowVisible());
    }
}

void QtDialogWindow::enabledChanged() {
    // A top-level window is disabled while a dialog it owns runs modal; Qt's modality already
    // keeps the user out, and greying every control of the window would only hide it.
}

void QtDialogWindow::reject() {
    // Esc and the close box: the dialog's IDCANCEL handling ends it, or keeps it open.
    if (m_window != nullptr) {
        m_window->userEscape();
    }
}

void QtDialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && m_window != nullptr &&
        m_window->userHelp()) {
        return;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (m_window != nullptr) {
        // Without an active window (offscreen), Qt reports no focus change: ask the window.
        if (const int focused = m_host.controlIdOf(focusWidget())) {
            m_window->userFocus(focused);
        }
        m_window->userEnter();
    }
}
