#include "ui/qt/QtControlPeer.h"

#include "ui/ControlState.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/QtComboBoxPeer.h"
#include "ui/qt/QtGroupBoxPeer.h"
#include "ui/qt/QtIconPeer.h"
#include "ui/qt/QtLabelPeer.h"
#include "ui/qt/QtLineEditPeer.h"
#include "ui/qt/QtListBoxPeer.h"
#include "ui/qt/QtMultiLineEditPeer.h"
#include "ui/qt/QtPushButtonPeer.h"
#include "ui/qt/QtRadioButtonPeer.h"

std::unique_ptr<QtControlPeer> QtControlPeer::create(CWnd& window, ControlState& state,
                                                     QWidget* parent, const DialogUnits& units) {
    const ControlTemplate& from = *state.source;
    const QRect geometry = units.rect(from.x, from.y, from.cx, from.cy);
    std::unique_ptr<QtControlPeer> peer;
    switch (state.kind) {
    case ControlKind::Button:
        peer = std::make_unique<QtPushButtonPeer>(window, state, parent, geometry);
        break;
    case ControlKind::RadioButton:
        peer = std::make_unique<QtRadioButtonPeer>(window, state, parent, geometry);
        break;
    case ControlKind::GroupBox:
        peer = std::make_unique<QtGroupBoxPeer>(window, state, parent, geometry);
        break;
    case ControlKind::Static:
        peer = std::make_unique<QtLabelPeer>(window, state, parent, geometry);
        break;
    case ControlKind::Icon:
        peer = std::make_unique<QtIconPeer>(window, state, parent, geometry);
        break;
    case ControlKind::Edit:
        if ((state.style & StyleMultiline) != 0) {
            peer = std::make_unique<QtMultiLineEditPeer>(window, state, parent, geometry);
        } else {
            peer = std::make_unique<QtLineEditPeer>(window, state, parent, geometry);
        }
        break;
    case ControlKind::ComboBox:
        peer = std::make_unique<QtComboBoxPeer>(window, state, parent, geometry);
        break;
    case ControlKind::ListBox:
        peer = std::make_unique<QtListBoxPeer>(window, state, parent, geometry, units);
        break;
    }
    peer->start();
    return peer;
}

QtControlPeer::~QtControlPeer() {
    detach();
}

int QtControlPeer::controlId() const {
    return m_state != nullptr ? m_state->id : 0;
}

void QtControlPeer::detach() {
    for (const QMetaObject::Connection& connection : m_connections) {
        QObject::disconnect(connection);
    }
    m_connections.clear();
    if (m_state != nullptr && m_state->peer == this) {
        m_state->peer = nullptr;
    }
    m_state = nullptr;
}

void QtControlPeer::place(QWidget* widget, const QRect& geometry) {
    m_widget = widget;
    m_templateGeometry = geometry;
    m_widget->setGeometry(geometry);
}

void QtControlPeer::takeFocus() {
    // As by Tab: the widget shows its focus frame.
    m_widget->setFocus(Qt::TabFocusReason);
}

void QtControlPeer::start() {
    m_state->peer = this;
    for (StateChange change : {StateChange::Items, StateChange::Text, StateChange::Enabled,
                               StateChange::Checked, StateChange::TabStops}) {
        stateChanged(change);
    }
    connectUser();
}

void QtControlPeer::stateChanged(StateChange change) {
    if (m_widget == nullptr || m_state == nullptr) {
        return;
    }
    m_updating = true;
    switch (change) {
    case StateChange::Text:
        syncText();
        break;
    case StateChange::Items:
        m_itemsStale = !m_state->redraw;
        if (!m_itemsStale) {
            syncItems();
        }
        break;
    case StateChange::Selection:
        if (!m_itemsStale) {
            syncSelection();
        }
        break;
    case StateChange::Enabled:
        m_widget->setEnabled(m_state->enabled);
        break;
    case StateChange::Checked:
        syncChecked();
        break;
    case StateChange::Redraw:
        if (m_state->redraw && m_itemsStale) {
            m_itemsStale = false;
            syncItems();
        }
        m_widget->setUpdatesEnabled(m_state->redraw);
        if (m_state->redraw) {
            m_widget->update();
        }
        break;
    case StateChange::Repaint:
        m_widget->update();
        break;
    case StateChange::TabStops:
        syncTabStops();
        break;
    }
    m_updating = false;
    if (m_observer) {
        m_observer(change);
    }
}
