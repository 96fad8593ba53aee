#include "ui/qt/QtComboBoxPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"

#include <QComboBox>

QtComboBoxPeer::QtComboBoxPeer(CWnd& window, ControlState& state, QWidget* parent,
                               const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* combo = new QComboBox(parent);
    // The template's height includes the dropped-down list; closed, it is one line.
    QRect closed = geometry;
    closed.setHeight(std::min(geometry.height(), combo->sizeHint().height()));
    place(combo, closed);
}

void QtComboBoxPeer::syncItems() {
    auto* combo = static_cast<QComboBox*>(widget());
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const std::string& item : state()->items) {
        combo->addItem(QString::fromStdString(item));
    }
    syncSelection();
}

void QtComboBoxPeer::syncSelection() {
    auto* combo = static_cast<QComboBox*>(widget());
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(state()->curSel);
}

void QtComboBoxPeer::connectUser() {
    keep(QObject::connect(static_cast<QComboBox*>(widget()), &QComboBox::activated,
                          [this](int index) {
                              if (state() != nullptr) {
                                  window().userSelect(state()->id, index);
                              }
                          }));
}
