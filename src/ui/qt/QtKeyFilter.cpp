#include "ui/qt/QtKeyFilter.h"

#include <QKeyEvent>

QtKeyFilter* QtKeyFilter::install(QObject& widget, Handler handler) {
    auto* filter = new QtKeyFilter(widget, std::move(handler));
    widget.installEventFilter(filter);
    return filter;
}

int QtKeyFilter::arrowSteps(const QKeyEvent& key, int page) {
    constexpr int kFar = 1 << 20;
    switch (key.key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        return 1;
    case Qt::Key_Up:
    case Qt::Key_Left:
        return -1;
    case Qt::Key_PageDown:
        return page;
    case Qt::Key_PageUp:
        return -page;
    case Qt::Key_End:
        return kFar;
    case Qt::Key_Home:
        return -kFar;
    default:
        return 0;
    }
}

QtKeyFilter::QtKeyFilter(QObject& widget, Handler handler)
    : QObject(&widget), m_handler(std::move(handler)) {}

bool QtKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && m_handler(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}
