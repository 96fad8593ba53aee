#include "ui/qt/QtRadioButtonPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"
#include "ui/qt/QtKeyFilter.h"

#include <QKeyEvent>
#include <QRadioButton>

#include <algorithm>

QtRadioButtonPeer::QtRadioButtonPeer(CWnd& window, ControlState& state, QWidget* parent,
                                     const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* radio = new QRadioButton(parent);
    radio->setAutoExclusive(false);
    place(radio, geometry);
}

void QtRadioButtonPeer::syncText() {
    static_cast<QRadioButton*>(widget())->setText(QString::fromStdString(state()->text));
}

int QtRadioButtonPeer::textWidth() const {
    const auto* radio = static_cast<const QRadioButton*>(widget());
    return radio->text().isEmpty() ? 0 : radio->sizeHint().width();
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
    // The arrow keys move round the group, as the window decides.
    QtKeyFilter::install(*widget(), [this](const QKeyEvent& key) {
        const int steps = std::clamp(QtKeyFilter::arrowSteps(key, 1), -1, 1);
        return steps != 0 && state() != nullptr && window().userArrow(state()->id, steps);
    });
}
