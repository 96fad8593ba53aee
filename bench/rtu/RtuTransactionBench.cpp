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
    explicit AnsweringUnit(int unitFd) : unitFd_(unitFd) {
        RtuFrame frame;
        std::array<uint8_t, 1 + 2 * registerCount> data{};
        data[0] = 2 * registerCount;
        frame.buildRequest(1, 0x04, data.data(), static_cast<int>(data.size()));
        replySize_ = frame.size();
        std::copy(frame.bytes(), frame.bytes() + replySize_, reply_.begin());
        if (::pipe(stopPipe_) == 0) {
            thread_ = std::thread([this] { run(); });
        }
    }
    ~AnsweringUnit() {
        const char wake = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(stopPipe_[1], &wake, 1);
        if (thread_.joinable()) {
            thread_.join();
        }
        ::close(stopPipe_[0]);
        ::close(stopPipe_[1]);
    }

private:
    void run() {
        std::array<uint8_t, 512> heard{};
        size_t have = 0;
        for (;;) {
            pollfd fds[2] = {{unitFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) {
                return;
            }
            const ssize_t got = ::read(unitFd_, heard.data() + have, heard.size() - have);
            if (got <= 0) {
                continue;
            }
            have += static_cast<size_t>(got);
            if (have >= requestSize) {
                have = 0;
                size_t done = 0;
                while (done < replySize_) {
                    const ssize_t put = ::write(unitFd_, reply_.data() + done, replySize_ - done);
                    if (put > 0) {
                        done += static_cast<size_t>(put);
                    }
                }
            }
        }
    }

    int unitFd_;
    int stopPipe_[2] = {-1, -1};
    std::array<uint8_t, RtuFrame::capacity> reply_{};
    size_t replySize_ = 0;
    std::thread thread_;
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
