#include "ui/qt/QtDialogWindow.h"

#include "ui/CDialog.h"
#include "ui/UiConstants.h"
#include "ui/qt/QtControlPeer.h"

#include <QApplication>
#include <QLabel>

QtDialogWindow::QtDialogWindow(CDialog& dialog, QWidget* parent)
    : QDialog(parent), m_dialog(&dialog), m_units(font()) {
    const DialogTemplate& from = *dialog.dialogTemplate();
    setFixedSize(m_units.x(from.cx), m_units.y(from.cy));
    setWindowTitle(QString::fromStdString(dialog.GetWindowText()));

    QWidget* previousFocusable = nullptr;
    QLabel* pendingBuddy = nullptr;
    for (const auto& control : dialog.controls()) {
        auto peer = std::make_unique<QtControlPeer>(dialog, *control, this, m_units);
        QWidget* widget = peer->widget();
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previousFocusable != nullptr) {
                setTabOrder(previousFocusable, widget);
            }
            previousFocusable = widget;
            // A label's mnemonic moves the focus to the control that follows it.
            if (pendingBuddy != nullptr) {
                pendingBuddy->setBuddy(widget);
                pendingBuddy = nullptr;
            }
        }
        auto* label = qobject_cast<QLabel*>(widget);
        if (label != nullptr && control->text.find('&') != std::string::npos) {
            pendingBuddy = label;
        }
        m_peers.push_back(std::move(peer));
    }
    dialog.setPeer(this);
    focusChanged(dialog.GetFocusId());

    m_focusConnection =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            for (const auto& peer : m_peers) {
                if (peer->widget() == now && m_dialog != nullptr) {
                    m_dialog->userFocus(peer->controlId());
                }
            }
        });
}

QtDialogWindow::~QtDialogWindow() {
    detach();
}

void QtDialogWindow::detach() {
    disconnect(m_focusConnection);
    for (const auto& peer : m_peers) {
        peer->detach();
    }
    if (m_dialog != nullptr) {
        m_dialog->setPeer(nullptr);
        m_dialog = nullptr;
    }
}

QtControlPeer* QtDialogWindow::peer(int controlId) const {
    for (const auto& peer : m_peers) {
        if (peer->controlId() == controlId) {
            return peer.get();
        }
    }
    return nullptr;
}

QWidget* QtDialogWindow::controlWidget(int controlId) const {
    QtControlPeer* found = peer(controlId);
    return found != nullptr ? found->widget() : nullptr;
}

std::vector<QWidget*> QtDialogWindow::controlWidgets() const {
    std::vector<QWidget*> widgets;
    for (const auto& peer : m_peers) {
        widgets.push_back(peer->widget());
    }
    return widgets;
}

void QtDialogWindow::titleChanged() {
    if (m_dialog != nullptr) {
        setWindowTitle(QString::fromStdString(m_dialog->GetWindowText()));
    }
}

void QtDialogWindow::focusChanged(int controlId) {
    if (QWidget* widget = controlWidget(controlId)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void QtDialogWindow::reject() {
    // Esc and the close box: the dialog's IDCANCEL handling ends it, or keeps it open.
    if (m_dialog != nullptr) {
        m_dialog->notify(IDCANCEL, BN_CLICKED);
    }
}
