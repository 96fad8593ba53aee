#include "ui/qt/QtGroupBoxPeer.h"

#include "ui/ControlState.h"

#include <QGroupBox>

QtGroupBoxPeer::QtGroupBoxPeer(CWnd& window, ControlState& state, QWidget* parent,
                               const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* box = new QGroupBox(parent);
    // A group box only frames controls that are its siblings: it stays behind them and lets
    // their clicks through.
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(box, geometry);
    box->lower();
}

void QtGroupBoxPeer::syncText() {
    static_cast<QGroupBox*>(widget())->setTitle(QString::fromStdString(state()->text));
}
