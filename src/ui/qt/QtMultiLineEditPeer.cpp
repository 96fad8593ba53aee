#include "ui/qt/QtMultiLineEditPeer.h"

#include "ui/CWnd.h"
#include "ui/ControlState.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace {

QString toWidgetText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string fromWidgetText(const QString& text) {
    QString copy = text;
    return copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString();
}

// Hands Enter to the window instead of breaking the line.
class EnterToWindow final : public QObject {
public:
    EnterToWindow(CWnd& window, QObject* parent) : QObject(parent), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_window.userEnter();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CWnd& m_window;
};

} // namespace

QtMultiLineEditPeer::QtMultiLineEditPeer(CWnd& window, ControlState& state, QWidget* parent,
                                         const QRect& geometry)
    : QtControlPeer(window, state) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setTabChangesFocus(true);
    edit->setReadOnly((state.style & StyleReadOnly) != 0);
    if ((state.style & StyleWantReturn) == 0) {
        edit->installEventFilter(new EnterToWindow(window, edit));
    }
    place(edit, geometry);
}

void QtMultiLineEditPeer::syncText() {
    auto* edit = static_cast<QPlainTextEdit*>(widget());
    const QString shown = toWidgetText(state()->text);
    if (edit->toPlainText() != shown) {
        edit->setPlainText(shown);
    }
}

void QtMultiLineEditPeer::connectUser() {
    auto* edit = static_cast<QPlainTextEdit*>(widget());
    keep(QObject::connect(edit, &QPlainTextEdit::textChanged, [this, edit] {
        if (!updating() && state() != nullptr) {
            window().userType(state()->id, fromWidgetText(edit->toPlainText()));
        }
    }));
}
