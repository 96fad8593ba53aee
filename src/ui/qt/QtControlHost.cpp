#include "ui/qt/QtControlHost.h"

#include "ui/CTreeCtrl.h"
#include "ui/CWnd.h"
#include "ui/qt/QtControlPeer.h"
#include "ui/qt/QtTreePeer.h"

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>

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
    if (QWidget* widget = controlWidget(controlId)) {
        widget->setFocus(Qt::OtherFocusReason);
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
