// The tree update that follows a refresh of the default simulated unit (embedded, over loopback
// TCP). Reports the time of one update and the heap allocations it makes (a counting global
// operator new): none when nothing changed, and only the new option rows (row and value) when a
// channel turns from input to output. The refresh itself is outside the timed part.

#include "device/CVtrConfigDoc.h"
#include "modbus/MbusError.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "sim/Simulator.h"
#include "support/AllocationCounter.h"
#include "tree/CVtrConfigView.h"

#include <benchmark/benchmark.h>

namespace {

class LinkedDoc : public CVtrConfigDoc {
public:
    using CVtrConfigDoc::useOpenLink;

    // The document's own refresh; its views update with it.
    bool readAll() {
        refresh();
        return isConnected() != 0;
    }
};

// The default unit, connected and read, with its tree shown once.
struct ShownUnit {
    ShownUnit() {
        // The update is timed on its own, not inside the refresh that would otherwise run it.
        doc.RemoveView(view);
        ConnectOptions options;
        options.protocol = ConnectOptions::modbusTcp;
        doc.setConnectOptions(options);
        ready = sim.startTcp() == 0;
        master.setPort(sim.tcpPort());
        ready = ready && master.connectTo("127.0.0.1") == MBUS_SUCCESS;
        doc.useOpenLink(&master);
        ready = ready && doc.readAll();
        const long long before = allocationCount();
        view.OnUpdate(nullptr, 0, nullptr);
        firstUpdateAllocations = allocationCount() - before;
    }
    ~ShownUnit() { master.closeLink(); }

    Simulator sim;
    MbusTcpMasterProtocol master;
    LinkedDoc doc;
    CVtrConfigView view{doc};
    bool ready = false;
    long long firstUpdateAllocations = 0;
};

void treeUpdateAfterUnchangedRefresh(benchmark::State& state) {
    ShownUnit unit;
    if (!unit.ready || !unit.doc.readAll()) {
        state.SkipWithError("cannot reach the simulated unit");
        return;
    }
    const long long before = allocationCount();
    for (auto _ : state) {
        unit.view.OnUpdate(nullptr, 0, nullptr);
    }
    const long long allocations = allocationCount() - before;
    state.counters["allocations_per_update"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
    state.counters["rows"] = unit.view.GetTreeCtrl().GetCount();
    state.counters["first_update_allocations"] = static_cast<double>(unit.firstUpdateAllocations);
}
BENCHMARK(treeUpdateAfterUnchangedRefresh)->Unit(benchmark::kMicrosecond);

// Every iteration flips analog channel 0 of panel 0 between input and output, so each update
// deletes one option row and creates another.
void treeUpdateWithOneChannelChanged(benchmark::State& state) {
    ShownUnit unit;
    if (!unit.ready) {
        state.SkipWithError("cannot reach the simulated unit");
        return;
    }
    long long allocations = 0;
    bool output = false;
    for (auto _ : state) {
        state.PauseTiming();
        output = !output;
        SimProfile profile = unit.sim.unit().configuration();
        profile.analogState[0] = output ? SimProfile::Output : SimProfile::Input;
        unit.sim.unit().setConfiguration(profile);
        const bool read = unit.doc.readAll();
        state.ResumeTiming();
        if (!read) {
            state.SkipWithError("refresh failed");
            break;
        }
        const long long before = allocationCount();
        unit.view.OnUpdate(nullptr, 0, nullptr);
        allocations += allocationCount() - before;
    }
    state.counters["allocations_per_update"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(treeUpdateWithOneChannelChanged)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
