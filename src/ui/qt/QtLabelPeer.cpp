#include "ui/qt/QtLabelPeer.h"

#include "ui/ControlState.h"

#include <QLabel>

QtLabelPeer::QtLabelPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* label = new QLabel(parent);
    label->setAlignment(((state.style & StyleCenter) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
                        ((state.style & StyleSunken) != 0 ? Qt::AlignVCenter : Qt::AlignTop));
    if ((state.style & StyleSunken) != 0) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(2);
    }
    place(label, geometry);
}

void QtLabelPeer::syncText() {
    static_cast<QLabel*>(widget())->setText(QString::fromStdString(state()->text));
}

int QtLabelPeer::textWidth() const {
    const auto* label = static_cast<const QLabel*>(widget());
    return label->text().isEmpty() ? 0 : label->sizeHint().width();
}

bool QtLabelPeer::centred() const {
    return state() != nullptr && (state()->style & StyleCenter) != 0;
}
