#include "ui/qt/QtPushButtonPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"

#include <QFontMetrics>
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

int QtPushButtonPeer::textWidth() const {
    QString text = static_cast<const QPushButton*>(widget())->text();
    if (text.isEmpty()) {
        return 0;
    }
    // The bevel keeps half a line of room on each side of the text.
    const QFontMetrics metrics(widget()->font());
    return metrics.horizontalAdvance(text.remove(QLatin1Char('&'))) + metrics.height();
}

void QtPushButtonPeer::connectUser() {
    keep(QObject::connect(static_cast<QPushButton*>(widget()), &QPushButton::clicked, [this] {
        if (state() != nullptr) {
            window().userClick(state()->id);
        }
    }));
}
