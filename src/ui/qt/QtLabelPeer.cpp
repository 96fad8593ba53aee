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
    // Framed values and centred texts keep their box.
    if ((state()->style & (StyleSunken | StyleCenter)) == 0) {
        growToText();
    }
}
