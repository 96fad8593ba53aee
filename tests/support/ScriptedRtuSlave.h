#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

// A unit at the far end of a pseudo-terminal, run by a script: it may first talk on the line
// (one byte every few milliseconds, as another device would), then for each exchange it reads
// the number of request bytes the test expects and answers with the scripted reply bytes,
// which may be anything: a good frame, a bad CRC, another slave, half a frame or nothing.
//
// Everything it saw is read after finish(), which joins the thread, so there is no shared
// state while it runs. A stuck script gives up after its patience; the destructor stops it.
class ScriptedRtuSlave {
public:
    using Bytes = std::vector<uint8_t>;
    using TimePoint = std::chrono::steady_clock::time_point;

    struct Exchange {
        size_t requestSize;
        Bytes reply;
    };

    struct Record {
        std::vector<Bytes> requests; // one per exchange that received its request in full
        Bytes leftover;              // request bytes after the last exchange (or unfinished)
        size_t bytesHeardWhileTalking = 0;
        std::optional<TimePoint> lastTalk;         // when the last talk byte was written
        std::optional<TimePoint> firstRequest;     // when the first byte from the master came
        std::optional<termios> lineAtFirstRequest; // see watchLine()
    };

    explicit ScriptedRtuSlave(int unitFd) : unitFd_(unitFd) {
        if (::pipe(stopPipe_) != 0) {
            stopPipe_[0] = stopPipe_[1] = -1;
        }
    }
    ~ScriptedRtuSlave() {
        stop();
        ::close(stopPipe_[0]);
        ::close(stopPipe_[1]);
    }
    ScriptedRtuSlave(const ScriptedRtuSlave&) = delete;
    ScriptedRtuSlave& operator=(const ScriptedRtuSlave&) = delete;

    // Talk for durationMs before the exchanges; a negative duration talks until stop().
    ScriptedRtuSlave& talk(int durationMs, int spacingMs) {
        talkMs_ = durationMs;
        talkSpacingMs_ = spacingMs;
        return *this;
    }
    ScriptedRtuSlave& expect(size_t requestSize, Bytes reply) {
        script_.push_back({requestSize, std::move(reply)});
        return *this;
    }
    // After the script, keep listening this long and keep what comes as leftover.
    ScriptedRtuSlave& listenAfter(int milliseconds) {
        listenAfterMs_ = milliseconds;
        return *this;
    }
    // Keep the line settings (seen through lineFd) at the moment the first request is in,
    // while the master still has the port open.
    ScriptedRtuSlave& watchLine(int lineFd) {
        lineFd_ = lineFd;
        return *this;
    }
    ScriptedRtuSlave& patience(int milliseconds) {
        patienceMs_ = milliseconds;
        return *this;
    }

    // Starts listening; whatever the master sent before (to nobody) is dropped first.
    void start() {
        uint8_t stale[512];
        while (::read(unitFd_, stale, sizeof stale) > 0) {
        }
        thread_ = std::thread([this] { run(); });
    }
    // Waits for the script to end and returns what the unit saw.
    Record finish() {
        if (thread_.joinable()) {
            thread_.join();
        }
        return record_;
    }
    void stop() {
        if (thread_.joinable()) {
            const char wake = 1;
            [[maybe_unused]] const ssize_t ignored = ::write(stopPipe_[1], &wake, 1);
            thread_.join();
        }
    }

private:
    using Clock = std::chrono::steady_clock;

    // Waits for bytes from the master up to waitMs; false once stopped.
    bool listen(int waitMs, Bytes& into) {
        pollfd fds[2] = {{unitFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(fds, 2, waitMs) < 0 || (fds[1].revents & POLLIN) != 0) {
            return false;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            uint8_t chunk[512];
            const ssize_t got = ::read(unitFd_, chunk, sizeof chunk);
            if (got > 0) {
                if (!record_.firstRequest) {
                    record_.firstRequest = Clock::now();
                }
                into.insert(into.end(), chunk, chunk + got);
            }
        }
        return true;
    }

    bool writeAll(const Bytes& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(unitFd_, bytes.data() + done, bytes.size() - done);
            if (put > 0) {
                done += static_cast<size_t>(put);
                continue;
            }
            pollfd fds[2] = {{unitFd_, POLLOUT, 0}, {stopPipe_[0], POLLIN, 0}};
            if (::poll(fds, 2, patienceMs_) <= 0 || (fds[1].revents & POLLIN) != 0) {
                return false;
            }
        }
        return true;
    }

    bool talkPhase(Bytes& heard) {
        const auto end = Clock::now() + std::chrono::milliseconds(talkMs_);
        const uint8_t noise[] = {0x55};
        while (talkMs_ < 0 || Clock::now() < end) {
            if (!writeAll(Bytes(noise, noise + 1))) {
                return false;
            }
            record_.lastTalk = Clock::now();
            const size_t before = heard.size();
            if (!listen(talkSpacingMs_, heard)) {
                return false;
            }
            record_.bytesHeardWhileTalking += heard.size() - before;
        }
        return true;
    }

    void run() {
        Bytes heard;
        if (talkMs_ != 0 && !talkPhase(heard)) {
            record_.leftover = heard;
            return;
        }
        for (const auto& exchange : script_) {
            const auto giveUp = Clock::now() + std::chrono::milliseconds(patienceMs_);
            while (heard.size() < exchange.requestSize) {
                const auto left =
                    std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - Clock::now());
                if (left.count() <= 0 || !listen(static_cast<int>(left.count()), heard)) {
                    record_.leftover = heard;
                    return;
                }
            }
            const auto split = heard.begin() + static_cast<std::ptrdiff_t>(exchange.requestSize);
            record_.requests.emplace_back(heard.begin(), split);
            if (lineFd_ >= 0 && !record_.lineAtFirstRequest) {
                termios settings{};
                ::tcgetattr(lineFd_, &settings);
                record_.lineAtFirstRequest = settings;
            }
            heard.erase(heard.begin(), split);
            if (!writeAll(exchange.reply)) {
                record_.leftover = heard;
                return;
            }
        }
        const auto end = Clock::now() + std::chrono::milliseconds(listenAfterMs_);
        while (Clock::now() < end) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            if (!listen(static_cast<int>(std::max<int64_t>(left.count(), 1)), heard)) {
                break;
            }
        }
        record_.leftover = heard;
    }

    int unitFd_;
    int stopPipe_[2] = {-1, -1};
    int talkMs_ = 0;
    int talkSpacingMs_ = 2;
    int listenAfterMs_ = 0;
    int patienceMs_ = 10000;
    int lineFd_ = -1;
    std::vector<Exchange> script_;
    Record record_;
    std::thread thread_;
};
