#include "ui/qt/QtGroupBoxPeer.h"

#include "ui/ControlState.h"

#include <QFontMetrics>

#include <algorithm>
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

int QtGroupBoxPeer::textWidth() const {
    const QString title = static_cast<const QGroupBox*>(widget())->title();
    // The caption sits in from the frame's corner, with room after it.
    const QFontMetrics metrics(widget()->font());
    constexpr int kTitleMargins = 16;
    return title.isEmpty() ? 0
                           : metrics.horizontalAdvance(title) +
                                 std::max(kTitleMargins, metrics.height());
}

void QtGroupBoxPeer::syncText() {
    static_cast<QGroupBox*>(widget())->setTitle(QString::fromStdString(state()->text));
}
