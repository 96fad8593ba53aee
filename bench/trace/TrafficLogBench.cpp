// The cost of logging one transaction, which must stay under 5 µs so that the traffic log
// keeps up with the Quick Channel View's polling without slowing it:
// - RecordInFullLog: TrafficLog::transactionDone for the largest block read (Device
//   Information, 161 reply bytes) once the log holds its 10,000 entries; also counts heap
//   allocations per entry (0 expected: a full log reuses the dropped entry's buffers).
// - MasterRead/observed:0|1: a master over an instant in-memory transport reading one live
//   value (the Quick Channel View's transaction) and the Device Information block, without and
//   with the log listening; the difference is the whole cost the hook adds to a transaction.
// - DescribeDeviceInformation: the labelling, done only when an entry is shown.

#include "device/TrafficLog.h"
#include "modbus/MbusError.h"
#include "modbus/MbusMasterFunctions.h"
#include "support/AllocationCounter.h"
#include "tree/TrafficEntryText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int deviceInformationRegisters = 80;

// A transport that answers at once with a reply of the length asked for: byte count, then
// zero registers.
class InstantTransport final : public MbusMasterFunctions {
public:
    int isLinkOpen() override { return 1; }
    void closeLink() override {}
    int transact(int, int, const uint8_t*, int, uint8_t* reply, int replyLength) override {
        std::fill_n(reply, replyLength, uint8_t{0});
        reply[0] = static_cast<uint8_t>(replyLength - 1);
        return MBUS_SUCCESS;
    }
};

ObservedTransaction deviceInformationRead(const std::vector<uint8_t>& request,
                                          const std::vector<uint8_t>& reply) {
    ObservedTransaction transaction;
    transaction.slave = 1;
    transaction.function = 4;
    transaction.address = 0x1000;
    transaction.count = deviceInformationRegisters;
    transaction.request = request;
    transaction.reply = reply;
    transaction.startTicks = 17'000'000'000'000'000;
    transaction.roundTripUs = 800;
    return transaction;
}

void RecordInFullLog(benchmark::State& state) {
    const std::vector<uint8_t> request{0x10, 0x00, 0x00, 0x50};
    const std::vector<uint8_t> reply(1 + 2 * deviceInformationRegisters, 0x41);
    const ObservedTransaction transaction = deviceInformationRead(request, reply);
    TrafficLog log;
    for (size_t i = 0; i < log.capacity(); ++i) {
        log.transactionDone(transaction);
    }
    const uint64_t allocationsBefore = allocationCount();
    for (auto _ : state) {
        log.transactionDone(transaction);
    }
    state.counters["allocations/entry"] =
        static_cast<double>(allocationCount() - allocationsBefore) /
        static_cast<double>(state.iterations());
}
BENCHMARK(RecordInFullLog);

void MasterRead(benchmark::State& state) {
    const bool observed = state.range(0) != 0;
    const int count = static_cast<int>(state.range(1));
    InstantTransport master;
    TrafficLog log;
    if (observed) {
        master.setTransactionObserver(&log);
    }
    std::array<uint16_t, deviceInformationRegisters> values{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(master.readInputRegisters(1, 0x1001, values.data(), count));
    }
}
BENCHMARK(MasterRead)->ArgNames({"observed", "registers"})->ArgsProduct({{0, 1}, {1, 80}});

void DescribeDeviceInformation(benchmark::State& state) {
    const std::vector<uint8_t> request{0x10, 0x00, 0x00, 0x50};
    std::vector<uint8_t> reply(1 + 2 * deviceInformationRegisters, 0x41);
    reply[0] = 2 * deviceInformationRegisters;
    TrafficEntry entry;
    entry.assign(1, deviceInformationRead(request, reply));
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrafficEntryText::summary(entry, 0));
    }
}
BENCHMARK(DescribeDeviceInformation);

} // namespace

BENCHMARK_MAIN();
