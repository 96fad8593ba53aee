#include "tools/vtrconfig/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

long long monotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// Watches a window for its first paint and then, once that paint is done, calls back.
class FirstPaintFilter : public QObject {
public:
    FirstPaintFilter(QWidget& window, std::function<void()> then)
        : QObject(&window), m_then(std::move(then)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_then) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(m_then));
            m_then = nullptr;
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

void StartupProbe::onFirstPaint(QWidget& window, std::function<void()> then) {
    const bool report = m_enabled;
    window.installEventFilter(new FirstPaintFilter(window, [report, then = std::move(then)] {
        if (report) {
            std::fprintf(stderr, "vtrconfig: window shown at %lld us\n", monotonicMicroseconds());
        }
        then();
    }));
}

void StartupProbe::treeShown(bool connected, unsigned rows) {
    if (!m_enabled) {
        return;
    }
    if (connected) {
        std::fprintf(stderr, "vtrconfig: tree shown at %lld us, %u rows\n", monotonicMicroseconds(),
                     rows);
    } else {
        std::fprintf(stderr, "vtrconfig: not connected\n");
    }
    QCoreApplication::exit(connected ? 0 : 1);
}
