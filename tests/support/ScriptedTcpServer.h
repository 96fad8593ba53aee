#pragma once

#include "support/LoopbackListener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A Modbus TCP server on an ephemeral loopback port, run by a thread of its own, for tests of
// the master over a real socket. Every request frame that arrives is recorded and handed to a
// script, which says what to answer and how (delayed, in pieces, then closing, refusing further
// connections or flooding the client). One client at a time: a new connection replaces the old.
class ScriptedTcpServer {
public:
    using Bytes = std::vector<uint8_t>;

    struct Answer {
        Bytes bytes;                // nothing: stay silent
        int delayMs = 0;            // pause before the first byte
        size_t pieceSize = 0;       // nonzero: send in pieces of this size...
        int pieceGapMs = 0;         // ...with this pause between them
        bool closeAfter = false;    // close the connection once the bytes are out
        bool stopListening = false; // refuse every later connection
        bool flood = false;         // then send 0xFF bytes without pause until the client leaves
    };
    using Script = std::function<Answer(const Bytes& request)>;

    explicit ScriptedTcpServer(Script script) : script_(std::move(script)) {
        if (pipe2(wake_, O_CLOEXEC) != 0) {
            wake_[0] = wake_[1] = -1;
        }
        thread_ = std::thread([this] { run(); });
    }

    ~ScriptedTcpServer() {
        stopping_ = true;
        const char byte = 0;
        [[maybe_unused]] const ssize_t ignored = write(wake_[1], &byte, 1);
        thread_.join();
        closeClient();
        closeFd(wake_[0]);
        closeFd(wake_[1]);
    }

    ScriptedTcpServer(const ScriptedTcpServer&) = delete;
    ScriptedTcpServer& operator=(const ScriptedTcpServer&) = delete;

    uint16_t port() const { return listener_.port(); }

    std::vector<Bytes> requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

    int connections() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return connections_;
    }

    // Waits until at least `count` connections have been accepted, or the limit has passed.
    bool waitForConnections(int count, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return connections_ >= count; });
    }

    // Waits until the server has seen the current client go away (or the limit has passed).
    bool waitForClientGone(std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return !clientPresent_; });
    }

private:
    static constexpr size_t mbapPrefixSize = 6; // transaction, protocol, length fields
    static constexpr size_t lengthOffset = 4;
    static constexpr size_t floodChunk = 4096;

    static void closeFd(int& fd) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }

    void closeClient() {
        closeFd(client_);
        pending_.clear();
        flooding_ = false;
        std::lock_guard<std::mutex> lock(mutex_);
        clientPresent_ = false;
        changed_.notify_all();
    }

    void run() {
        while (!stopping_) {
            pollfd fds[3] = {
                {wake_[0], POLLIN, 0}, {listener_.fd(), POLLIN, 0}, {client_, POLLIN, 0}};
            if (flooding_) {
                fds[2].events |= POLLOUT;
            }
            if (poll(fds, 3, -1) < 0) {
                continue;
            }
            if (stopping_) {
                break;
            }
            if (fds[1].revents != 0) {
                acceptClient();
            }
            if (client_ >= 0 && fds[2].fd == client_ && fds[2].revents != 0) {
                serveClient(fds[2].revents);
            }
        }
    }

    void acceptClient() {
        const int accepted = listener_.accept();
        if (accepted < 0) {
            return;
        }
        closeClient();
        client_ = accepted;
        std::lock_guard<std::mutex> lock(mutex_);
        ++connections_;
        clientPresent_ = true;
        changed_.notify_all();
    }

    void serveClient(short revents) {
        if (flooding_ && (revents & POLLOUT) != 0) {
            const Bytes noise(floodChunk, 0xFF);
            if (send(client_, noise.data(), noise.size(), MSG_NOSIGNAL | MSG_DONTWAIT) < 0 &&
                errno != EAGAIN) {
                closeClient();
                return;
            }
        }
        if ((revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
            return;
        }
        uint8_t buffer[512];
        const ssize_t count = recv(client_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (count == 0 || (count < 0 && errno != EAGAIN)) {
            closeClient();
            return;
        }
        if (count > 0) {
            pending_.insert(pending_.end(), buffer, buffer + count);
        }
        while (client_ >= 0 && takeRequest()) {
        }
    }

    bool takeRequest() {
        if (pending_.size() < mbapPrefixSize) {
            return false;
        }
        const size_t length = (size_t{pending_[lengthOffset]} << 8) | pending_[lengthOffset + 1];
        const size_t frameSize = mbapPrefixSize + length;
        if (pending_.size() < frameSize) {
            return false;
        }
        const Bytes request(pending_.begin(), pending_.begin() + static_cast<long>(frameSize));
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(frameSize));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request);
        }
        perform(script_(request));
        return true;
    }

    void perform(const Answer& answer) {
        if (answer.stopListening) {
            listener_.close();
        }
        if (answer.delayMs > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(answer.delayMs));
        }
        const size_t piece = answer.pieceSize != 0 ? answer.pieceSize : answer.bytes.size();
        for (size_t at = 0; at < answer.bytes.size(); at += piece) {
            if (at != 0 && answer.pieceGapMs > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(answer.pieceGapMs));
            }
            const size_t size = std::min(piece, answer.bytes.size() - at);
            if (send(client_, answer.bytes.data() + at, size, MSG_NOSIGNAL) < 0) {
                closeClient();
                return;
            }
        }
        if (answer.closeAfter) {
            closeClient();
            return;
        }
        flooding_ = flooding_ || answer.flood;
    }

    Script script_;
    LoopbackListener listener_;
    int client_ = -1;
    int wake_[2] = {-1, -1};
    bool flooding_ = false;
    Bytes pending_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Bytes> requests_;
    int connections_ = 0;
    bool clientPresent_ = false;
};
