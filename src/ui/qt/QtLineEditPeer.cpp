#include "ui/qt/QtLineEditPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"

#include <QLineEdit>
#include <QTimer>

QtLineEditPeer::QtLineEditPeer(CWnd& window, ControlState& state, QWidget* parent,
                               const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly((state.style & StyleReadOnly) != 0);
    place(edit, geometry);
}

void QtLineEditPeer::syncText() {
    auto* edit = static_cast<QLineEdit*>(widget());
    const QString text = QString::fromStdString(state()->text);
    if (edit->text() != text) {
        edit->setText(text);
    }
}

void QtLineEditPeer::takeFocus() {
    QtControlPeer::takeFocus();
    auto* edit = static_cast<QLineEdit*>(widget());
    edit->selectAll();
    // A message box that just closed (a "Data Error") hands the focus back once the event loop
    // runs again, and a line edit losing its focus drops its selection: select it again then.
    QTimer::singleShot(0, edit, [edit] {
        if (edit->hasFocus() || edit->window()->focusWidget() == edit) {
            edit->selectAll();
        }
    });
}

void QtLineEditPeer::connectUser() {
    keep(QObject::connect(static_cast<QLineEdit*>(widget()), &QLineEdit::textEdited,
                          [this](const QString& text) {
                              if (state() != nullptr) {
                                  window().userType(state()->id, text.toStdString());
                              }
                          }));
}
