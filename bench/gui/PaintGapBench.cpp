// How long the main window goes without painting while it refreshes from a slow unit.
//
//   bench_gui [DELAY_MS] [RUNS]        (defaults: 400 ms, 3 runs)
//
// The window connects to a simulated unit in this process, then the unit starts answering
// DELAY_MS late (as `vtr300-sim --fault delay=DELAY_MS`) and the window runs Refresh Data (F4)
// while a timer resizes it every 20 ms, as a user dragging its border would. Every paint of a
// widget of the main window is timed; the figure is the longest gap between two paints from
// the moment the command starts to the moment it returns. Without a display it runs on Qt's
// offscreen platform; `xvfb-run -a` for a real X server.

#include "app/CVtrConfigApp.h"
#include "res/CommandIds.h"
#include "sim/Simulator.h"
#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kTargetMs = 100;
constexpr int kResizeEveryMs = 20;

// Times every paint of the widgets of one window.
class PaintClock : public QObject {
public:
    PaintClock(QWidget& window, QElapsedTimer& clock) : m_window(window), m_clock(clock) {
        qApp->installEventFilter(this);
    }
    ~PaintClock() override { qApp->removeEventFilter(this); }

    std::vector<qint64> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &m_window) {
            paints.push_back(m_clock.nsecsElapsed());
        }
        return false;
    }

private:
    QWidget& m_window;
    QElapsedTimer& m_clock;
};

// The longest stretch of [from, to] without a paint, and where it began (ms after `from`).
struct Gap {
    double ms = 0;
    double atMs = 0;
};

struct Run {
    double refreshMs = 0;
    Gap longest;
    size_t paints = 0;
};

Gap longestGap(const std::vector<qint64>& paints, qint64 from, qint64 to) {
    qint64 longest = 0;
    qint64 start = from;
    qint64 last = from;
    for (const qint64 at : paints) {
        if (at >= from && at <= to) {
            if (at - last > longest) {
                longest = at - last;
                start = last;
            }
            last = at;
        }
    }
    if (to - last > longest) {
        longest = to - last;
        start = last;
    }
    return {static_cast<double>(longest) / 1e6, static_cast<double>(start - from) / 1e6};
}

bool refreshOnce(CVtrConfigApp& app, QWidget& window, Simulator& unit, int delayMs, Run& run) {
    unit.faults().clear();
    app.mainWindow().OnConnect();
    if (app.document().isConnected() == 0) {
        std::fprintf(stderr, "bench_gui: cannot connect to the simulated unit\n");
        return false;
    }
    unit.faults().setDelayMs(delayMs);
    QElapsedTimer clock;
    clock.start();
    PaintClock paints(window, clock);
    QTimer resizer;
    bool wide = false;
    QObject::connect(&resizer, &QTimer::timeout, [&] {
        wide = !wide;
        window.resize(wide ? 700 : 640, wide ? 520 : 480);
    });
    resizer.start(kResizeEveryMs);
    qint64 from = 0;
    qint64 to = 0;
    // Not the application's loop: quitting that one would close the window.
    QEventLoop loop;
    QTimer::singleShot(50, [&] {
        from = clock.nsecsElapsed();
        app.mainWindow().userCommand(ID_CONNECT);
        to = clock.nsecsElapsed();
        loop.quit();
    });
    loop.exec();
    resizer.stop();
    unit.faults().clear();
    run.refreshMs = static_cast<double>(to - from) / 1e6;
    run.longest = longestGap(paints.paints, from, to);
    run.paints =
        static_cast<size_t>(std::count_if(paints.paints.begin(), paints.paints.end(),
                                          [&](qint64 at) { return at >= from && at <= to; }));
    return app.document().isConnected() != 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const int delayMs = argc > 1 ? std::max(0, std::atoi(argv[1])) : 400;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    Simulator unit;
    unit.setKeepIdleConnections(true);
    if (unit.startTcp() != 0) {
        std::fprintf(stderr, "bench_gui: the simulated unit did not start\n");
        return 1;
    }
    QApplication application(argc, argv);
    QtBackend backend;
    ScopedBackend installed(backend);
    CVtrConfigApp app;
    std::string failure;
    if (!app.start({}, failure)) {
        std::fprintf(stderr, "bench_gui: %s\n", failure.c_str());
        return 1;
    }
    ConnectOptions options = app.document().getConnectOptions();
    options.protocol = ConnectOptions::modbusTcp;
    options.server = "127.0.0.1";
    options.tcpPort = unit.tcpPort();
    app.document().setConnectOptions(options);
    QWidget* window = backend.widgetOf(&app.mainWindow());
    window->show();

    std::vector<double> gaps;
    std::printf("Refresh Data against a unit answering %d ms late, %d runs, platform %s\n", delayMs,
                runs, qPrintable(QGuiApplication::platformName()));
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!refreshOnce(app, *window, unit, delayMs, run)) {
            std::fprintf(stderr, "bench_gui: the refresh lost the unit\n");
            return 1;
        }
        std::printf("run %d: refresh %7.0f ms, %5zu paints, longest gap %6.1f ms at %5.0f ms\n",
                    i + 1, run.refreshMs, run.paints, run.longest.ms, run.longest.atMs);
        std::fflush(stdout);
        gaps.push_back(run.longest.ms);
    }
    const double worst = *std::max_element(gaps.begin(), gaps.end());
    std::printf("longest gap between two paints: %.1f ms (target <= %.0f ms: %s)\n", worst,
                kTargetMs, worst <= kTargetMs ? "met" : "MISSED");
    // Leave the unit before the window goes, as the program does on exit.
    app.document().disconnect();
    return 0;
}
