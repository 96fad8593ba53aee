#include "ui/qt/QtDialogWindow.h"

#include "ui/CWnd.h"

#include <QKeyEvent>

namespace {

QSize templateSize(const CWnd& window, const QFont& font) {
    const DialogUnits units(font);
    const DialogTemplate* from = window.dialogTemplate();
    return from != nullptr ? QSize(units.x(from->cx), units.y(from->cy)) : QSize();
}

} // namespace

QtDialogWindow::QtDialogWindow(CWnd& window, QWidget* parent)
    : QDialog(parent), m_window(&window), m_host(window, *this) {
    setFixedSize(templateSize(window, font()));
    setWindowTitle(QString::fromStdString(window.GetWindowText()));
    focusChanged(window.GetFocusId());
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
