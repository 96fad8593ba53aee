#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;

// Hands the key presses a widget receives to a function first; a key the function takes (true)
// goes no further, so that the window's rules, not the widget's, decide what it does.
class QtKeyFilter final : public QObject {
public:
    using Handler = std::function<bool(const QKeyEvent& key)>;

    // Watches widget and is deleted with it, or before by whoever the handler belongs to.
    static QtKeyFilter* install(QObject& widget, Handler handler);
    // Lines an arrow, page or Home/End key moves by (a page is `page` lines); 0 for other keys.
    static int arrowSteps(const QKeyEvent& key, int page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtKeyFilter(QObject& widget, Handler handler);

    Handler m_handler;
};
