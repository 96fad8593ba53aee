#pragma once

#include "ui/ControlPeer.h"
#include "ui/qt/DialogUnits.h"

#include <QMetaObject>
#include <QPoint>

#include <memory>
#include <vector>

class CTreeCtrl;
class CWnd;
class QTreeWidget;
class QWidget;
class QtControlPeer;
class QtTreePeer;

// The widgets of a window's controls on its client area: one peer per template control, laid
// out from dialog units, in template order for Tab, with labels leading their mnemonics to the
// control after them; and a tree widget for every tree control placed in the window, filling
// the client area. Keeps the window's focus in step with the widgets', and of each group of
// radio buttons lets Tab stop at one only.
//
// A text that still does not fit its control in the font in use (a template drawn for a
// narrower font) makes the control grow rather than cut it: to the right, or to both sides
// when the text is centred, as far as the next control, the frame of its group box (which
// grows first to hold what it frames) and the window's edge allow.
class QtControlHost {
public:
    QtControlHost(CWnd& window, QWidget& client);
    ~QtControlHost();
    QtControlHost(const QtControlHost&) = delete;
    QtControlHost& operator=(const QtControlHost&) = delete;

    void detach();
    // Places the controls with the template's origin at `origin` and fits them to their texts.
    void layOut(QPoint origin);
    QtControlPeer* peer(int controlId) const;
    QWidget* controlWidget(int controlId) const;
    std::vector<QWidget*> controlWidgets() const;
    // The control shown by this widget, or 0.
    int controlIdOf(const QWidget* widget) const;
    void showFocus(int controlId);

    void addTree(CTreeCtrl& tree);
    void removeTree(CTreeCtrl& tree);
    QTreeWidget* treeWidget(const CTreeCtrl& tree) const;
    // The client area changed size.
    void fitTrees();

private:
    struct HostedTree;

    void changed(StateChange change);
    void fitToText(QtControlPeer& peer);
    // How far a control may reach to the right (or left) without covering a neighbour, given
    // where the neighbours stand now.
    int rightLimit(const QtControlPeer& grown) const;
    int leftLimit(const QtControlPeer& grown) const;
    bool isNeighbour(const QtControlPeer& grown, const QtControlPeer& other) const;
    QRect placed(const QtControlPeer& peer) const;
    void syncTabStops();

    CWnd* m_window;
    QWidget& m_client;
    DialogUnits m_units;
    std::vector<std::unique_ptr<QtControlPeer>> m_peers;
    std::vector<std::unique_ptr<HostedTree>> m_trees;
    QMetaObject::Connection m_focusConnection;
    QPoint m_origin;
};
