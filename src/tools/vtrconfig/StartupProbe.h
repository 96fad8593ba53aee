#pragma once

#include <functional>

class QWidget;

// Start-up of the main window, and the undocumented timing report of `--startup-probe`: the
// moments the window is first painted and the connected tree is shown go to stderr as
// monotonic clock readings in microseconds, for a harness that started the process to compare
// with its own clock; the program then quits.
class StartupProbe {
public:
    explicit StartupProbe(bool enabled) : m_enabled(enabled) {}

    // Runs `then` once, from the event loop, after the window's first paint.
    void onFirstPaint(QWidget& window, std::function<void()> then);
    // When enabled: reports the tree (or that it is not connected) and ends the event loop,
    // with status 1 when not connected.
    void treeShown(bool connected, unsigned rows);

private:
    bool m_enabled;
};
