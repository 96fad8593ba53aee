#include "ui/qt/QtPushButtonPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"

#include <QPushButton>

QtPushButtonPeer::QtPushButtonPeer(CWnd& window, ControlState& state, QWidget* parent,
                                   const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    button->setDefault((state.style & StyleDefault) != 0);
    place(button, geometry);
}

void QtPushButtonPeer::syncText() {
    static_cast<QPushButton*>(widget())->setText(QString::fromStdString(state()->text));
}

void QtPushButtonPeer::connectUser() {
    keep(QObject::connect(static_cast<QPushButton*>(widget()), &QPushButton::clicked, [this] {
        if (state() != nullptr) {
            window().userClick(state()->id);
        }
    }));
}
