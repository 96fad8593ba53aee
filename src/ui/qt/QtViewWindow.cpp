#include "ui/qt/QtViewWindow.h"

#include "ui/CWnd.h"

#include <QEvent>

QtViewWindow::QtViewWindow(CWnd& window, QWidget* parentClient)
    : QWidget(parentClient), m_window(&window), m_host(window, *this) {
    setWindowTitle(QString::fromStdString(window.GetWindowText()));
    if (parentClient != nullptr) {
        setGeometry(parentClient->rect());
        parentClient->installEventFilter(this);
    }
    visibilityChanged();
    enabledChanged();
}

QtViewWindow::~QtViewWindow() {
    detach();
}

void QtViewWindow::detach() {
    if (parentWidget() != nullptr) {
        parentWidget()->removeEventFilter(this);
    }
    m_host.detach();
    m_window = nullptr;
}

void QtViewWindow::titleChanged() {
    if (m_window != nullptr) {
        setWindowTitle(QString::fromStdString(m_window->GetWindowText()));
    }
}

void QtViewWindow::focusChanged(int controlId) {
    m_host.showFocus(controlId);
}

void QtViewWindow::visibilityChanged() {
    if (m_window != nullptr) {
        setVisible(m_window->IsWindowVisible());
    }
}

void QtViewWindow::enabledChanged() {
    if (m_window != nullptr && parentWidget() != nullptr) {
        setEnabled(m_window->IsWindowEnabled());
    }
}

bool QtViewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void QtViewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_host.fitTrees();
}
