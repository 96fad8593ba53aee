#include "ui/qt/QtControlPeer.h"

#include "res/Resources.h"
#include "ui/CWnd.h"
#include "ui/ControlState.h"
#include "ui/UiConstants.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/TabStopDelegate.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Multi-line edits hold CR LF line breaks, so that a break counts two characters where the
// program judges the length of a field.
QString toWidgetText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string fromWidgetText(const QString& text) {
    QString copy = text;
    return copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString();
}

// Enter in a multi-line edit that does not want it presses the dialog's default button.
class EnterPressesDefault final : public QObject {
public:
    EnterPressesDefault(QtControlPeer& peer, QObject* parent) : QObject(parent), m_peer(peer) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_peer.click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QtControlPeer& m_peer;
};

} // namespace

QtControlPeer::QtControlPeer(CWnd& window, ControlState& state, QWidget* parent,
                             const DialogUnits& units)
    : m_window(window), m_state(&state) {
    create(parent, units);
    m_state->peer = this;
    for (StateChange change : {StateChange::Items, StateChange::Text, StateChange::Enabled,
                               StateChange::Checked, StateChange::TabStops}) {
        stateChanged(change);
    }
    connectUser();
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

void QtControlPeer::create(QWidget* parent, const DialogUnits& units) {
    const ControlTemplate& from = *m_state->source;
    QRect geometry = units.rect(from.x, from.y, from.cx, from.cy);
    switch (m_state->kind) {
    case ControlKind::Button: {
        auto* button = new QPushButton(parent);
        button->setDefault((m_state->style & StyleDefault) != 0);
        m_widget = button;
        break;
    }
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(parent);
        // The window keeps its groups exclusive, as the template defines them.
        radio->setAutoExclusive(false);
        m_widget = radio;
        break;
    }
    case ControlKind::GroupBox: {
        auto* box = new QGroupBox(parent);
        // A group box only frames controls that are its siblings: it stays behind them and
        // lets their clicks through.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_widget = box;
        break;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(parent);
        label->setAlignment(
            ((m_state->style & StyleCenter) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
            ((m_state->style & StyleSunken) != 0 ? Qt::AlignVCenter : Qt::AlignTop));
        if ((m_state->style & StyleSunken) != 0) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setIndent(2);
        }
        m_widget = label;
        break;
    }
    case ControlKind::Icon: {
        auto* label = new QLabel(parent);
        if (const char* const* xpm = findIconXpm(from.iconId)) {
            const QPixmap icon(xpm);
            label->setPixmap(icon);
            geometry.setSize(icon.size());
        }
        m_widget = label;
        break;
    }
    case ControlKind::Edit:
        if ((m_state->style & StyleMultiline) != 0) {
            auto* edit = new QPlainTextEdit(parent);
            edit->setTabChangesFocus(true);
            edit->setReadOnly((m_state->style & StyleReadOnly) != 0);
            if ((m_state->style & StyleWantReturn) == 0) {
                edit->installEventFilter(new EnterPressesDefault(*this, edit));
            }
            m_widget = edit;
        } else {
            auto* edit = new QLineEdit(parent);
            edit->setReadOnly((m_state->style & StyleReadOnly) != 0);
            m_widget = edit;
        }
        break;
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        // The template's height includes the dropped-down list; closed, it is one line.
        geometry.setHeight(std::min(geometry.height(), combo->sizeHint().height()));
        m_widget = combo;
        break;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        if ((m_state->style & StyleUseTabStops) != 0) {
            m_delegate = new TabStopDelegate(units.charWidth(), list);
            list->setItemDelegate(m_delegate);
        }
        list->setUniformItemSizes(true);
        m_widget = list;
        break;
    }
    }
    m_widget->setGeometry(geometry);
    if (m_state->kind == ControlKind::GroupBox) {
        m_widget->lower();
    }
}

void QtControlPeer::connectUser() {
    QWidget* widget = m_widget;
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        m_connections.push_back(
            QObject::connect(button, &QPushButton::clicked, [this] { userClicked(); }));
    } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        m_connections.push_back(
            QObject::connect(radio, &QRadioButton::clicked, [this] { userClicked(); }));
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        m_connections.push_back(QObject::connect(
            line, &QLineEdit::textEdited, [this](const QString& text) { userEdited(text); }));
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        m_connections.push_back(QObject::connect(text, &QPlainTextEdit::textChanged, [this, text] {
            if (!m_updating) {
                userEdited(text->toPlainText());
            }
        }));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        m_connections.push_back(QObject::connect(combo, &QComboBox::activated,
                                                 [this](int index) { userSelected(index); }));
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        m_connections.push_back(
            QObject::connect(list, &QListWidget::currentRowChanged, [this](int row) {
                if (!m_updating) {
                    userSelected(row);
                }
            }));
    }
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
        syncItems();
        break;
    case StateChange::Selection:
        syncSelection();
        break;
    case StateChange::Enabled:
        m_widget->setEnabled(m_state->enabled);
        break;
    case StateChange::Checked:
        if (auto* radio = qobject_cast<QRadioButton*>(m_widget.data())) {
            radio->setChecked(m_state->checked);
        }
        break;
    case StateChange::Redraw:
        m_widget->setUpdatesEnabled(m_state->redraw);
        if (m_state->redraw) {
            m_widget->update();
        }
        break;
    case StateChange::Repaint:
        m_widget->update();
        break;
    case StateChange::TabStops:
        if (m_delegate != nullptr) {
            m_delegate->setStops(m_state->tabStops);
            m_widget->update();
        }
        break;
    }
    m_updating = false;
}

void QtControlPeer::click() {
    // A multi-line edit asks its window to press the default button.
    for (const auto& control : m_window.controls()) {
        if (control->kind == ControlKind::Button && (control->style & StyleDefault) != 0) {
            if (control->enabled) {
                m_window.notify(control->id, BN_CLICKED);
            }
            return;
        }
    }
    m_window.notify(IDOK, BN_CLICKED);
}

void QtControlPeer::syncText() {
    const QString text = QString::fromStdString(m_state->text);
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget.data())) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(m_widget.data())) {
        box->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(m_widget.data())) {
        if (m_state->kind != ControlKind::Icon) {
            label->setText(text);
        }
    } else if (auto* line = qobject_cast<QLineEdit*>(m_widget.data())) {
        if (line->text() != text) {
            line->setText(text);
        }
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(m_widget.data())) {
        const QString shown = toWidgetText(m_state->text);
        if (edit->toPlainText() != shown) {
            edit->setPlainText(shown);
        }
    }
    fitText();
}

void QtControlPeer::fitText() {
    // Layouts are drawn for a narrower font than ours; a label or radio button that would cut
    // its text grows to the right, as far as the window allows. Framed values and centred
    // texts keep their box.
    const bool plainLabel =
        m_state->kind == ControlKind::Static && (m_state->style & (StyleSunken | StyleCenter)) == 0;
    if (!plainLabel && m_state->kind != ControlKind::RadioButton) {
        return;
    }
    const int needed = m_widget->sizeHint().width();
    QWidget* parent = m_widget->parentWidget();
    const int room = parent != nullptr ? parent->width() - m_widget->x() : needed;
    if (needed > m_widget->width()) {
        m_widget->resize(std::min(needed, room), m_widget->height());
    }
}

void QtControlPeer::syncItems() {
    QStringList lines;
    for (const std::string& item : m_state->items) {
        lines.append(QString::fromStdString(item));
    }
    if (auto* combo = qobject_cast<QComboBox*>(m_widget.data())) {
        const QSignalBlocker blocker(combo);
        combo->clear();
        combo->addItems(lines);
    } else if (auto* list = qobject_cast<QListWidget*>(m_widget.data())) {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(lines);
    }
    syncSelection();
}

void QtControlPeer::syncSelection() {
    if (auto* combo = qobject_cast<QComboBox*>(m_widget.data())) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(m_state->curSel);
    } else if (auto* list = qobject_cast<QListWidget*>(m_widget.data())) {
        const QSignalBlocker blocker(list);
        list->setCurrentRow(m_state->curSel);
        if (m_state->curSel < 0) {
            list->clearSelection();
        }
    }
}

void QtControlPeer::userClicked() {
    if (m_state == nullptr) {
        return;
    }
    const int id = m_state->id;
    m_window.userFocus(id);
    if (m_state->kind == ControlKind::RadioButton) {
        m_window.userCheckRadio(id);
        // A click on the checked button toggles the widget off; the state keeps it on.
        stateChanged(StateChange::Checked);
    }
    m_window.notify(id, BN_CLICKED);
}

void QtControlPeer::userEdited(const QString& text) {
    if (m_state == nullptr) {
        return;
    }
    const int id = m_state->id;
    m_state->text = fromWidgetText(text);
    m_window.userFocus(id);
    m_window.notify(id, EN_UPDATE);
    m_window.notify(id, EN_CHANGE);
}

void QtControlPeer::userSelected(int index) {
    if (m_state == nullptr || index >= static_cast<int>(m_state->items.size())) {
        return;
    }
    const int id = m_state->id;
    m_state->curSel = index;
    m_window.userFocus(id);
    if (m_state->kind == ControlKind::ComboBox) {
        m_state->text = index >= 0 ? m_state->items[static_cast<size_t>(index)] : std::string();
        m_window.notify(id, CBN_SELCHANGE);
    } else if ((m_state->style & StyleNotify) != 0 && index >= 0) {
        m_window.notify(id, LBN_SELCHANGE);
    }
}
