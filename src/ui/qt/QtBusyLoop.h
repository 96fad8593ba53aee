#pragma once

#include <QObject>

#include <functional>
#include <mutex>

// How the desktop window stays alive while a busy flow (BusyFlow) waits for the unit: the step
// runs on a worker thread and the user-interface thread runs a local event loop until it ends,
// so expose, resize and status texts are painted. Input meanwhile is dropped, never queued for
// later: keys, clicks, wheel, drops and the close box, except Esc, which asks to cancel, and
// clicks on the Cancel button. A step done within a few milliseconds never enters the loop.
class QtBusyLoop final : public QObject {
public:
    // Runs the step and returns its result. A step started from an event handled meanwhile runs
    // on the user-interface thread once the worker's step is done, since both may use one master.
    int run(const std::function<int()>& step);
    // Handles (dropping its input) whatever the window system has queued.
    void dropPendingInput();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::mutex m_stepMutex;
    int m_depth = 0;
};
