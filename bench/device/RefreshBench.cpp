// A full refresh of the default simulated unit over loopback TCP, against the time of as many
// single round trips on the same link in the same run. Reports the transactions of one refresh,
// its time, the time of one round trip (a communication check), and their ratio:
// refresh time / (transactions x round trip). The refresh adds no time of its own beyond its
// transactions when the ratio is close to 1.

#include "device/CVtrConfigDoc.h"
#include "sim/Simulator.h"
#include "ui/HeadlessBackend.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

void fullRefreshOverLoopbackTcp(benchmark::State& state) {
    HeadlessBackend messages;
    ScopedBackend scope(messages);
    Simulator sim;
    if (sim.startTcp() != 0) {
        state.SkipWithError("cannot start the simulator");
        return;
    }
    CVtrConfigDoc doc;
    ConnectOptions options;
    options.protocol = ConnectOptions::modbusTcp;
    options.server = "127.0.0.1";
    options.tcpPort = sim.tcpPort();
    doc.setConnectOptions(options);
    if (doc.connect() != 1) {
        state.SkipWithError("cannot connect");
        return;
    }

    double refreshUs = 0;
    double roundTripUs = 0;
    size_t transactions = 0;
    for (auto _ : state) {
        sim.clearRequestLog();
        const auto refreshStart = Clock::now();
        doc.refresh();
        refreshUs += microsecondsSince(refreshStart);
        transactions = sim.requestLog().size();

        const auto checksStart = Clock::now();
        for (size_t i = 0; i < transactions; ++i) {
            doc.checkCommunication();
        }
        roundTripUs += microsecondsSince(checksStart) / static_cast<double>(transactions);
    }
    if (!messages.messageBoxes().empty() || !doc.isConnected()) {
        state.SkipWithError("the refresh failed");
        return;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["transactions"] = static_cast<double>(transactions);
    state.counters["refresh_us"] = refreshUs / iterations;
    state.counters["round_trip_us"] = roundTripUs / iterations;
    state.counters["ratio"] = refreshUs / (static_cast<double>(transactions) * roundTripUs);
    doc.disconnect();
}
BENCHMARK(fullRefreshOverLoopbackTcp)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
