#include "ui/qt/QtListBoxPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/QtKeyFilter.h"
#include "ui/qt/TabStopDelegate.h"

#include <QKeyEvent>
#include <QListWidget>

#include <algorithm>

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
    // The current line is the caret, with the focus rectangle; the picked line is selected.
    list->setCurrentRow(state()->caret, QItemSelectionModel::NoUpdate);
    list->clearSelection();
    if (QListWidgetItem* picked = list->item(state()->curSel)) {
        picked->setSelected(true);
    }
}

void QtListBoxPeer::syncTabStops() {
    if (m_delegate != nullptr) {
        m_delegate->setStops(state()->tabStops);
        widget()->update();
    }
}

void QtListBoxPeer::connectUser() {
    auto* list = static_cast<QListWidget*>(widget());
    keep(QObject::connect(list, &QListWidget::pressed, [this](const QModelIndex& line) {
        if (state() != nullptr && line.isValid()) {
            window().userSelect(state()->id, line.row());
        }
    }));
    // The keys that move through the lines are the window's: in a list that acts on a picked
    // line they move the caret only.
    QtKeyFilter::install(*list, [this, list](const QKeyEvent& key) {
        const int lineHeight = std::max(1, list->sizeHintForRow(0));
        const int steps = QtKeyFilter::arrowSteps(key, list->viewport()->height() / lineHeight);
        return steps != 0 && state() != nullptr && window().userArrow(state()->id, steps);
    });
}
