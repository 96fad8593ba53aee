// One later pass of the quick channel view over a full panel of 16 analog inputs of the
// simulated unit on a loopback TCP port, against 16 single reads of a live register made
// straight through the document in the same run. The view runs headless on the manual clock,
// so the time is that of its 16 steps and their transactions, without the timer delays
// between them (15 x 20 ms on a real window, plus the 500 ms pause after the pass).

#include "modbus/MbusError.h"
#include "quickview/CChanQuickViewDlg.h"
#include "quickview/LiveChannel.h"
#include "res/ResourceIds.h"
#include "support/SimulatedDocument.h"
#include "ui/DialogDriver.h"
#include "ui/HeadlessBackend.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int channels = 16;

SimProfile fullInputPanel() {
    SimProfile profile = SimProfile::minimal();
    for (int channel = 0; channel < channels; ++channel) {
        profile.analogState[channel] = SimProfile::Input;
    }
    return profile;
}

void QuickViewPass(benchmark::State& state) {
    SimulatedDocument unit(fullInputPanel());
    if (!unit.ready()) {
        state.SkipWithError("simulated unit not reachable");
        return;
    }
    HeadlessBackend backend;
    ScopedBackend scope(backend);
    backend.expectDialog(IDD_CHAN_QUICK_VIEW, [&](DialogDriver& user) {
        user.advance(CChanQuickViewDlg::openingDelayMs + CChanQuickViewDlg::panelChangeDelayMs +
                     CChanQuickViewDlg::channelDelayMs * (channels - 1));
        for (auto _ : state) {
            user.advance(CChanQuickViewDlg::passPauseMs +
                         CChanQuickViewDlg::channelDelayMs * (channels - 1));
        }
        user.pressEscape();
    });
    CChanQuickViewDlg::Show(unit.doc);
    state.counters["reads"] = benchmark::Counter(static_cast<double>(channels),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(QuickViewPass)->Unit(benchmark::kMicrosecond);

void SixteenRoundTrips(benchmark::State& state) {
    SimulatedDocument unit(fullInputPanel());
    if (!unit.ready()) {
        state.SkipWithError("simulated unit not reachable");
        return;
    }
    for (auto _ : state) {
        for (int channel = 0; channel < channels; ++channel) {
            uint16_t value = 0;
            const int ref = LiveChannel::reference(PanelKind::analog, 0, channel);
            if (unit.doc.readLiveRegister(ref, value) != MBUS_SUCCESS) {
                state.SkipWithError("read failed");
                return;
            }
            benchmark::DoNotOptimize(value);
        }
    }
    state.counters["reads"] = benchmark::Counter(static_cast<double>(channels),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(SixteenRoundTrips)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
