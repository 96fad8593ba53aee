#include "ui/qt/QtBusyLoop.h"

#include "ui/BusyFlow.h"
#include "ui/qt/QtBusyIndicator.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <thread>

namespace {

// A transaction with a unit at hand takes a millisecond or two: no loop for that.
constexpr std::chrono::milliseconds kQuietWait{10};

// What the worker hands back; shared, so that it outlives whichever side ends last.
struct StepOutcome {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    int result = 0;
};

} // namespace

int QtBusyLoop::run(const std::function<int()>& step) {
    if (m_depth > 0) {
        const std::lock_guard lock(m_stepMutex);
        return step();
    }
    ++m_depth;
    QEventLoop loop;
    const auto outcome = std::make_shared<StepOutcome>();
    std::thread worker([this, &step, &loop, outcome] {
        int result = 0;
        {
            const std::lock_guard lock(m_stepMutex);
            result = step();
        }
        {
            const std::lock_guard lock(outcome->mutex);
            outcome->done = true;
            outcome->result = result;
        }
        outcome->ended.notify_one();
        // The loop is joined before it is destroyed, so it still exists here; a quit that
        // comes before the loop runs is delivered once it does.
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    bool done = false;
    {
        std::unique_lock lock(outcome->mutex);
        done = outcome->ended.wait_for(lock, kQuietWait, [&] { return outcome->done; });
    }
    if (!done) {
        QCoreApplication::instance()->installEventFilter(this);
        loop.exec();
        QCoreApplication::instance()->removeEventFilter(this);
    }
    worker.join();
    --m_depth;
    return outcome->result;
}

void QtBusyLoop::dropPendingInput() {
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
}

bool QtBusyLoop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            BusyFlow::requestCancel();
        }
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The window hands a click on to the widget under it, where it is judged.
        return watched->isWidgetType() && !QtBusyIndicator::takesInputWhileBusy(watched);
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
