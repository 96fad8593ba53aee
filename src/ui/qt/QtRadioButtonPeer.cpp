#include "ui/qt/QtRadioButtonPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"

#include <QRadioButton>

QtRadioButtonPeer::QtRadioButtonPeer(CWnd& window, ControlState& state, QWidget* parent,
                                     const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* radio = new QRadioButton(parent);
    radio->setAutoExclusive(false);
    place(radio, geometry);
}

void QtRadioButtonPeer::syncText() {
    static_cast<QRadioButton*>(widget())->setText(QString::fromStdString(state()->text));
    growToText();
}

void QtRadioButtonPeer::syncChecked() {
    static_cast<QRadioButton*>(widget())->setChecked(state()->checked);
}

void QtRadioButtonPeer::connectUser() {
    keep(QObject::connect(static_cast<QRadioButton*>(widget()), &QRadioButton::clicked, [this] {
        if (state() == nullptr) {
            return;
        }
        window().userClick(state()->id);
        // A click on the checked button toggles the widget off; the state keeps it on.
        stateChanged(StateChange::Checked);
    }));
}
