#include "ui/BusyFlow.h"

#include "ui/UiBackend.h"

namespace {

// One user-interface thread, so one flow at a time.
BusyFlow::State current;

void changed() {
    currentBackend().busyStateChanged();
}

} // namespace

BusyFlow::Scope::Scope() : m_outer(!current.running) {
    if (m_outer) {
        current = State{};
        current.running = true;
        changed();
    }
}

BusyFlow::Scope::~Scope() {
    if (m_outer) {
        currentBackend().busyFlowEnding();
        current = State{};
        changed();
    }
}

BusyFlow::CancellablePart::CancellablePart() : m_wasCancellable(current.cancellable) {
    if (current.running && !m_wasCancellable) {
        current.cancellable = true;
        current.done = 0;
        current.total = 0;
        changed();
    }
}

BusyFlow::CancellablePart::~CancellablePart() {
    if (current.running && !m_wasCancellable) {
        current.cancellable = false;
        changed();
    }
}

int BusyFlow::runStep(const std::function<int()>& step) {
    if (current.cancellable && current.cancelled) {
        return refused;
    }
    ++current.stepsRunning;
    changed();
    const int result = currentBackend().runBusyStep(step);
    --current.stepsRunning;
    changed();
    return result;
}

void BusyFlow::setProgress(int done, int total) {
    if (current.running && (current.done != done || current.total != total)) {
        current.done = done;
        current.total = total;
        changed();
    }
}

void BusyFlow::requestCancel() {
    if (current.cancellable && !current.cancelled) {
        current.cancelled = true;
        changed();
    }
}

const BusyFlow::State& BusyFlow::state() {
    return current;
}
