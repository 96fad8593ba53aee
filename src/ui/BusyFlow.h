#pragma once

#include <functional>

// Long work of the program that talks to the unit: a connect, a refresh, a configure write, a
// reset with the unit's boot wait. The work stays synchronous for its caller (vtrctl calls the
// document directly), but every blocking step of it (one Modbus transaction, opening a link,
// a wait) goes through runStep, which the current backend runs so that the windows keep
// painting meanwhile; the Qt backend runs the step on a worker thread under a local event
// loop that drops the user's input, so nothing is replayed after the work. Everything else,
// decoding, images, message boxes, views, stays on the user-interface thread between steps.
//
// The main window's commands wrap their work in a Scope: its progress shows in the status bar,
// and the parts of it that only read (a connect, a refresh) are cancellable. Esc or the Cancel
// button asks to cancel; the step under way always completes (within the master's time-out)
// and every later step of the part is refused with `refused`, so the work ends as though the
// unit had stopped answering, without a write cut in half.
class BusyFlow {
public:
    // What runStep returns for a step it did not run because the user cancelled.
    static constexpr int refused = -1000;

    struct State {
        bool running = false;     // inside a Scope
        bool cancellable = false; // inside a cancellable part of it
        bool cancelled = false;   // the user cancelled the current Scope
        int stepsRunning = 0;     // steps under way (nested only from events of a running step)
        int done = 0;             // progress of the current part, out of total (0: unknown)
        int total = 0;
    };

    // One flow of the main window for the life of this object; an inner Scope joins the outer.
    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        // The user cancelled this flow.
        bool cancelled() const { return state().cancelled; }

    private:
        bool m_outer;
    };

    // A part of the work that may stop between two steps: reads only, never a write.
    class CancellablePart {
    public:
        CancellablePart();
        ~CancellablePart();
        CancellablePart(const CancellablePart&) = delete;
        CancellablePart& operator=(const CancellablePart&) = delete;

    private:
        bool m_wasCancellable;
    };

    // Runs one blocking step, or refuses it (returning `refused`) once the user cancelled a
    // cancellable part. The step runs on another thread in a desktop backend: it must not
    // touch a window, and what it writes the caller reads after runStep returns.
    static int runStep(const std::function<int()>& step);
    // The work's progress: `done` of `total` steps (0 total: unknown).
    static void setProgress(int done, int total);
    // Esc or the Cancel button; nothing outside a cancellable part.
    static void requestCancel();
    static const State& state();
};
