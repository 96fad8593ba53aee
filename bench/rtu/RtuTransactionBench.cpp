// Time of one readInputRegisters(1, 4097, values, 80) over a pseudo-terminal against an
// in-process unit, split into the inter-frame silence that RTU demands before every request
// and everything else (our own overhead plus the unit's turnaround on this machine), and the
// heap allocations per transaction, which must be none.
#include "modbus/MbusError.h"
#include "modbus/MbusRtuMasterProtocol.h"
#include "modbus/RtuFrame.h"
#include "modbus/SerialPort.h"
#include "support/AllocationCounter.h"
#include "support/PtyPair.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr size_t requestSize = 8;
constexpr int registerCount = 80;

// Answers every 8-byte request with the same 165-byte reply, without allocating.
class AnsweringUnit {
public:
    explicit AnsweringUnit(int unitFd) : m_unitFd(unitFd) {
        RtuFrame frame;
        std::array<uint8_t, 1 + 2 * registerCount> data{};
        data[0] = 2 * registerCount;
        frame.buildRequest(1, 0x04, data.data(), static_cast<int>(data.size()));
        m_replySize = frame.size();
        std::copy(frame.bytes(), frame.bytes() + m_replySize, m_reply.begin());
        if (::pipe(m_stopPipe) == 0) {
            m_thread = std::thread([this] { run(); });
        }
    }
    ~AnsweringUnit() {
        const char wake = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(m_stopPipe[1], &wake, 1);
        if (m_thread.joinable()) {
            m_thread.join();
        }
        ::close(m_stopPipe[0]);
        ::close(m_stopPipe[1]);
    }

private:
    void run() {
        std::array<uint8_t, 512> heard{};
        size_t have = 0;
        for (;;) {
            pollfd fds[2] = {{m_unitFd, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) {
                return;
            }
            const ssize_t got = ::read(m_unitFd, heard.data() + have, heard.size() - have);
            if (got <= 0) {
                continue;
            }
            have += static_cast<size_t>(got);
            if (have >= requestSize) {
                have = 0;
                size_t done = 0;
                while (done < m_replySize) {
                    const ssize_t put =
                        ::write(m_unitFd, m_reply.data() + done, m_replySize - done);
                    if (put > 0) {
                        done += static_cast<size_t>(put);
                    }
                }
            }
        }
    }

    int m_unitFd;
    int m_stopPipe[2] = {-1, -1};
    std::array<uint8_t, RtuFrame::capacity> m_reply{};
    size_t m_replySize = 0;
    std::thread m_thread;
};

// What the silence wait costs on a quiet line: one read that finds nothing for charTimeoutMs.
double measuredSilenceMs(int charTimeoutMs) {
    PtyPair quiet;
    SerialPort port;
    if (!quiet.ok() || port.open(quiet.path().c_str()) != SerialPortResult::PortOk) {
        return 0.0;
    }
    constexpr int samples = 50;
    uint8_t byte = 0;
    const auto start = SteadyClock::now();
    for (int i = 0; i < samples; ++i) {
        port.read(&byte, 1, charTimeoutMs);
    }
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count() / samples;
}

void ReadEightyRegistersOverPty(benchmark::State& state) {
    const int baud = static_cast<int>(state.range(0));
    PtyPair pty;
    AnsweringUnit unit(pty.unitFd());
    MbusRtuMasterProtocol master;
    if (!pty.ok() || master.openPort(pty.path().c_str(), baud) != MBUS_SUCCESS) {
        state.SkipWithError("cannot open a pseudo-terminal");
        return;
    }
    std::array<uint16_t, registerCount> values{};
    int failures = 0;
    const uint64_t allocationsBefore = allocationCount();
    const auto start = SteadyClock::now();
    for (auto _ : state) {
        failures += master.readInputRegisters(1, 4097, values.data(), registerCount) != 0;
    }
    const double totalMs =
        std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
    const uint64_t allocated = allocationCount() - allocationsBefore;
    master.closeLink();

    const double iterations = static_cast<double>(state.iterations());
    const double perTransactionMs = totalMs / iterations;
    const double silenceMs = measuredSilenceMs(master.getCharTimeout());
    state.counters["silence_ms"] = silenceMs;
    state.counters["rest_ms"] = perTransactionMs - silenceMs;
    state.counters["allocs_per_txn"] = static_cast<double>(allocated) / iterations;
    state.counters["failures"] = failures;
}

} // namespace

BENCHMARK(ReadEightyRegistersOverPty)
    ->Arg(19200)
    ->Arg(115200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

BENCHMARK_MAIN();
