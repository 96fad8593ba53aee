#include "ui/qt/QtIconPeer.h"

#include "res/Resources.h"
#include "ui/ControlState.h"

#include <QLabel>
#include <QPixmap>

QtIconPeer::QtIconPeer(CWnd& window, ControlState& state, QWidget* parent, const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* label = new QLabel(parent);
    QRect shown = geometry;
    if (const char* const* xpm = findIconXpm(state.source->iconId)) {
        const QPixmap icon(xpm);
        label->setPixmap(icon);
        shown.setSize(icon.size());
    }
    place(label, shown);
}
