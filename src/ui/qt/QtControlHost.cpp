#include "ui/qt/QtControlHost.h"

#include "ui/CTreeCtrl.h"
#include "ui/CWnd.h"
#include "ui/qt/QtControlPeer.h"
#include "ui/qt/QtTreePeer.h"

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Dialog units kept between a grown control and its neighbour, and inside a group box's frame.
constexpr int kGap = 1;
constexpr int kGroupInset = 2;

} // namespace

struct QtControlHost::HostedTree {
    CTreeCtrl* tree;
    QTreeWidget* widget;
    std::unique_ptr<QtTreePeer> peer;
};

QtControlHost::QtControlHost(CWnd& window, QWidget& client)
    : m_window(&window), m_client(client), m_units(client.font()) {
    QWidget* previousFocusable = nullptr;
    QLabel* pendingBuddy = nullptr;
    for (const auto& control : window.controls()) {
        std::unique_ptr<QtControlPeer> peer =
            QtControlPeer::create(window, *control, &client, m_units);
        QWidget* widget = peer->widget();
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previousFocusable != nullptr) {
                QWidget::setTabOrder(previousFocusable, widget);
            }
            previousFocusable = widget;
            // A label's mnemonic moves the focus to the control that follows it.
            if (pendingBuddy != nullptr) {
                pendingBuddy->setBuddy(widget);
                pendingBuddy = nullptr;
            }
        }
        auto* label = qobject_cast<QLabel*>(widget);
        if (label != nullptr && control->text.find('&') != std::string::npos) {
            pendingBuddy = label;
        }
        m_peers.push_back(std::move(peer));
    }
    for (const auto& peer : m_peers) {
        peer->setChangeObserver([this](StateChange change) { changed(change); });
    }
    layOut({});
    syncTabStops();
    for (CTreeCtrl* tree : window.trees()) {
        addTree(*tree);
    }
    m_focusConnection =
        QObject::connect(qApp, &QApplication::focusChanged, [this](QWidget*, QWidget* now) {
            const int id = controlIdOf(now);
            if (id != 0 && m_window != nullptr) {
                m_window->userFocus(id);
            }
        });
}

QtControlHost::~QtControlHost() {
    detach();
}

void QtControlHost::detach() {
    QObject::disconnect(m_focusConnection);
    for (const auto& peer : m_peers) {
        peer->setChangeObserver({});
        peer->detach();
    }
    m_trees.clear();
    m_window = nullptr;
}

QtControlPeer* QtControlHost::peer(int controlId) const {
    for (const auto& peer : m_peers) {
        if (peer->controlId() == controlId) {
            return peer.get();
        }
    }
    return nullptr;
}

QWidget* QtControlHost::controlWidget(int controlId) const {
    QtControlPeer* found = peer(controlId);
    return found != nullptr ? found->widget() : nullptr;
}

std::vector<QWidget*> QtControlHost::controlWidgets() const {
    std::vector<QWidget*> widgets;
    for (const auto& peer : m_peers) {
        widgets.push_back(peer->widget());
    }
    return widgets;
}

int QtControlHost::controlIdOf(const QWidget* widget) const {
    for (const auto& peer : m_peers) {
        if (widget != nullptr && peer->widget() == widget) {
            return peer->controlId();
        }
    }
    return 0;
}

void QtControlHost::showFocus(int controlId) {
    if (QtControlPeer* shown = peer(controlId)) {
        shown->takeFocus();
    }
}

void QtControlHost::layOut(QPoint origin) {
    m_origin = origin;
    for (const auto& peer : m_peers) {
        peer->widget()->setGeometry(placed(*peer));
    }
    // Group boxes first, so that the controls they frame can grow inside them.
    for (const bool groups : {true, false}) {
        for (const auto& peer : m_peers) {
            if (peer->isGroupBox() == groups) {
                fitToText(*peer);
            }
        }
    }
}

void QtControlHost::changed(StateChange change) {
    if (change == StateChange::Text) {
        layOut(m_origin);
    } else if (change == StateChange::Checked || change == StateChange::Enabled) {
        syncTabStops();
    }
}

QRect QtControlHost::placed(const QtControlPeer& peer) const {
    return peer.templateGeometry().translated(m_origin);
}

void QtControlHost::fitToText(QtControlPeer& peer) {
    QWidget* widget = peer.widget();
    QRect shown = widget->geometry();
    int needed = peer.textWidth();
    if (peer.isGroupBox()) {
        // Room for what the box frames, as far into it as the template puts it.
        const QRect frame = placed(peer);
        const int inset = m_units.x(kGroupInset);
        for (const auto& framed : m_peers) {
            const QRect inside = placed(*framed);
            if (framed.get() != &peer && frame.contains(inside)) {
                needed = std::max(needed, inside.left() - frame.left() +
                                              std::max(framed->textWidth(), inside.width()) +
                                              inset);
            }
        }
    }
    if (needed <= shown.width()) {
        return;
    }
    const int rightEdge = rightLimit(peer);
    if (peer.centred()) {
        const int grow = needed - shown.width();
        shown.setLeft(std::max(leftLimit(peer), shown.left() - grow / 2));
    }
    shown.setRight(std::min(rightEdge, shown.left() + needed - 1));
    widget->setGeometry(shown);
}

bool QtControlHost::isNeighbour(const QtControlPeer& grown, const QtControlPeer& other) const {
    const QRect base = placed(grown);
    const QRect there = placed(other);
    return &other != &grown && !there.intersects(base) && there.top() <= base.bottom() &&
           there.bottom() >= base.top();
}

int QtControlHost::rightLimit(const QtControlPeer& grown) const {
    const QRect base = placed(grown);
    int limit = m_client.width() - 1;
    for (const auto& other : m_peers) {
        const QRect now = other->widget()->geometry();
        if (other.get() != &grown && other->isGroupBox() && placed(*other).contains(base)) {
            limit = std::min(limit, now.right() - m_units.x(kGroupInset));
        } else if (isNeighbour(grown, *other) && placed(*other).left() > base.right()) {
            limit = std::min(limit, now.left() - m_units.x(kGap));
        }
    }
    return limit;
}

int QtControlHost::leftLimit(const QtControlPeer& grown) const {
    const QRect base = placed(grown);
    int limit = 0;
    for (const auto& other : m_peers) {
        const QRect now = other->widget()->geometry();
        if (other.get() != &grown && other->isGroupBox() && placed(*other).contains(base)) {
            limit = std::max(limit, now.left() + m_units.x(kGroupInset));
        } else if (isNeighbour(grown, *other) && placed(*other).right() < base.left()) {
            limit = std::max(limit, now.right() + m_units.x(kGap));
        }
    }
    return limit;
}

void QtControlHost::syncTabStops() {
    if (m_window == nullptr) {
        return;
    }
    for (const auto& peer : m_peers) {
        const ControlState* control = m_window->findControl(peer->controlId());
        if (control != nullptr && control->kind == ControlKind::RadioButton) {
            // The others of the group take the focus from a click or an arrow key only.
            peer->widget()->setFocusPolicy(m_window->isTabStop(*control) ? Qt::StrongFocus
                                                                         : Qt::ClickFocus);
        }
    }
}

void QtControlHost::addTree(CTreeCtrl& tree) {
    auto hosted = std::make_unique<HostedTree>();
    hosted->tree = &tree;
    hosted->widget = new QTreeWidget(&m_client);
    hosted->widget->setGeometry(m_client.rect());
    hosted->widget->show();
    hosted->peer = std::make_unique<QtTreePeer>(tree, *hosted->widget);
    m_trees.push_back(std::move(hosted));
}

void QtControlHost::removeTree(CTreeCtrl& tree) {
    for (auto it = m_trees.begin(); it != m_trees.end(); ++it) {
        if ((*it)->tree == &tree) {
            QTreeWidget* widget = (*it)->widget;
            m_trees.erase(it);
            widget->deleteLater();
            return;
        }
    }
}

QTreeWidget* QtControlHost::treeWidget(const CTreeCtrl& tree) const {
    for (const auto& hosted : m_trees) {
        if (hosted->tree == &tree) {
            return hosted->widget;
        }
    }
    return nullptr;
}

void QtControlHost::fitTrees() {
    for (const auto& hosted : m_trees) {
        hosted->widget->setGeometry(m_client.rect());
    }
}
