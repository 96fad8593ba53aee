#include "ui/qt/QtLineEditPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"

#include <QLineEdit>

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
    static_cast<QLineEdit*>(widget())->selectAll();
}

void QtLineEditPeer::connectUser() {
    keep(QObject::connect(static_cast<QLineEdit*>(widget()), &QLineEdit::textEdited,
                          [this](const QString& text) {
                              if (state() != nullptr) {
                                  window().userType(state()->id, text.toStdString());
                              }
                          }));
}
