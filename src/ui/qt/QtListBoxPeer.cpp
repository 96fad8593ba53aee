#include "ui/qt/QtListBoxPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/TabStopDelegate.h"

#include <QListWidget>

QtListBoxPeer::QtListBoxPeer(CWnd& window, ControlState& state, QWidget* parent,
                             const QRect& geometry, const DialogUnits& units)
    : QtControlPeer(window, state) {
    auto* list = new QListWidget(parent);
    if ((state.style & StyleUseTabStops) != 0) {
        m_delegate = new TabStopDelegate(units.charWidth(), list);
        list->setItemDelegate(m_delegate);
    }
    list->setUniformItemSizes(true);
    place(list, geometry);
}

void QtListBoxPeer::syncItems() {
    auto* list = static_cast<QListWidget*>(widget());
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& item : state()->items) {
        list->addItem(QString::fromStdString(item));
    }
    syncSelection();
}

void QtListBoxPeer::syncSelection() {
    auto* list = static_cast<QListWidget*>(widget());
    const QSignalBlocker blocker(list);
    list->setCurrentRow(state()->curSel);
    if (state()->curSel < 0) {
        list->clearSelection();
    }
}

void QtListBoxPeer::syncTabStops() {
    if (m_delegate != nullptr) {
        m_delegate->setStops(state()->tabStops);
        widget()->update();
    }
}

void QtListBoxPeer::connectUser() {
    keep(QObject::connect(static_cast<QListWidget*>(widget()), &QListWidget::currentRowChanged,
                          [this](int row) {
                              if (!updating() && state() != nullptr) {
                                  window().userSelect(state()->id, row);
                              }
                          }));
}
