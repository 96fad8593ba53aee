// Round trips of readInputRegisters(1, 4097, values, 80) over a loopback connection to a minimal
// in-process unit. Reports transactions per second and heap allocations per transaction (a
// counting global operator new). System calls per transaction: run under `strace -c` (without
// -f, so that only the master's thread is counted) and divide the poll, sendto and recvfrom
// counts by the iterations printed.

#include "modbus/MbusError.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "support/AllocationCounter.h"
#include "support/LoopbackListener.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <thread>

namespace {

// The request is 12 bytes; the reply carries 80 registers: header, function, byte count, data.
constexpr size_t requestSize = 12;
constexpr size_t replySize = 8 + 1 + 160;

// A unit that answers every 12-byte request with the same 169-byte reply, with blocking calls and
// without allocating, so that it costs the master's thread as little as possible.
class LoopbackUnit {
public:
    LoopbackUnit() {
        m_reply.fill(0x00);
        m_reply[5] = 3 + 160; // length
        m_reply[6] = 1;       // unit identifier
        m_reply[7] = 0x04;    // read input registers
        m_reply[8] = 160;     // byte count
        m_thread = std::thread([this] { serve(); });
    }
    ~LoopbackUnit() {
        m_thread.join(); // ends when the master closes its connection
    }
    uint16_t port() const { return m_listener.port(); }

private:
    void serve() {
        const int client = m_listener.accept();
        const int on = 1;
        setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        std::array<uint8_t, requestSize> request{};
        for (;;) {
            size_t received = 0;
            while (received < request.size()) {
                const ssize_t count =
                    recv(client, request.data() + received, request.size() - received, 0);
                if (count <= 0) {
                    close(client);
                    return;
                }
                received += static_cast<size_t>(count);
            }
            if (send(client, m_reply.data(), m_reply.size(), MSG_NOSIGNAL) < 0) {
                close(client);
                return;
            }
        }
    }

    LoopbackListener m_listener{1};
    std::array<uint8_t, replySize> m_reply{};
    std::thread m_thread;
};

void readInputRegistersRoundTrip(benchmark::State& state) {
    LoopbackUnit unit;
    MbusTcpMasterProtocol master;
    master.setPort(unit.port());
    if (master.connectTo("127.0.0.1") != MBUS_SUCCESS) {
        state.SkipWithError("cannot connect");
        return;
    }
    uint16_t values[80];
    const uint64_t allocationsBefore = allocationCount();
    for (auto _ : state) {
        if (master.readInputRegisters(1, 4097, values, 80) != MBUS_SUCCESS) {
            state.SkipWithError("transaction failed");
            break;
        }
        benchmark::DoNotOptimize(values);
    }
    const uint64_t allocations = allocationCount() - allocationsBefore;
    master.closeLink();
    state.counters["transactions_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["allocations_per_transaction"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(readInputRegistersRoundTrip)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
