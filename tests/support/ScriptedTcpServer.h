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
        bool resetAfter = false;    // ...or reset it (RST) instead of closing it
        bool stopListening = false; // refuse every later connection
        bool flood = false;         // then send 0xFF bytes without pause until the client leaves
    };
    using Script = std::function<Answer(const Bytes& request)>;

    explicit ScriptedTcpServer(Script script) : m_script(std::move(script)) {
        if (pipe2(m_wake, O_CLOEXEC) != 0) {
            m_wake[0] = m_wake[1] = -1;
        }
        m_thread = std::thread([this] { run(); });
    }

    ~ScriptedTcpServer() {
        m_stopping = true;
        const char byte = 0;
        [[maybe_unused]] const ssize_t ignored = write(m_wake[1], &byte, 1);
        m_thread.join();
        closeClient();
        closeFd(m_wake[0]);
        closeFd(m_wake[1]);
    }

    ScriptedTcpServer(const ScriptedTcpServer&) = delete;
    ScriptedTcpServer& operator=(const ScriptedTcpServer&) = delete;

    uint16_t port() const { return m_listener.port(); }

    std::vector<Bytes> requests() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

    int connections() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_connections;
    }

    // Waits until at least `count` connections have been accepted, or the limit has passed.
    bool waitForConnections(int count, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] { return m_connections >= count; });
    }

    // Waits until the server has seen the current client go away (or the limit has passed).
    bool waitForClientGone(std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] { return !m_clientPresent; });
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
        closeFd(m_client);
        m_pending.clear();
        m_flooding = false;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_clientPresent = false;
        m_changed.notify_all();
    }

    void run() {
        while (!m_stopping) {
            pollfd fds[3] = {
                {m_wake[0], POLLIN, 0}, {m_listener.fd(), POLLIN, 0}, {m_client, POLLIN, 0}};
            if (m_flooding) {
                fds[2].events |= POLLOUT;
            }
            if (poll(fds, 3, -1) < 0) {
                continue;
            }
            if (m_stopping) {
                break;
            }
            if (fds[1].revents != 0) {
                acceptClient();
            }
            if (m_client >= 0 && fds[2].fd == m_client && fds[2].revents != 0) {
                serveClient(fds[2].revents);
            }
        }
    }

    void acceptClient() {
        const int accepted = m_listener.accept();
        if (accepted < 0) {
            return;
        }
        closeClient();
        m_client = accepted;
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_connections;
        m_clientPresent = true;
        m_changed.notify_all();
    }

    void serveClient(short revents) {
        if (m_flooding && (revents & POLLOUT) != 0) {
            const Bytes noise(floodChunk, 0xFF);
            if (send(m_client, noise.data(), noise.size(), MSG_NOSIGNAL | MSG_DONTWAIT) < 0 &&
                errno != EAGAIN) {
                closeClient();
                return;
            }
        }
        if ((revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
            return;
        }
        uint8_t buffer[512];
        const ssize_t count = recv(m_client, buffer, sizeof buffer, MSG_DONTWAIT);
        if (count == 0 || (count < 0 && errno != EAGAIN)) {
            closeClient();
            return;
        }
        if (count > 0) {
            m_pending.insert(m_pending.end(), buffer, buffer + count);
        }
        while (m_client >= 0 && takeRequest()) {
        }
    }

    bool takeRequest() {
        if (m_pending.size() < mbapPrefixSize) {
            return false;
        }
        const size_t length = (size_t{m_pending[lengthOffset]} << 8) | m_pending[lengthOffset + 1];
        const size_t frameSize = mbapPrefixSize + length;
        if (m_pending.size() < frameSize) {
            return false;
        }
        const Bytes request(m_pending.begin(), m_pending.begin() + static_cast<long>(frameSize));
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<long>(frameSize));
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(request);
        }
        perform(m_script(request));
        return true;
    }

    void perform(const Answer& answer) {
        if (answer.stopListening) {
            m_listener.close();
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
            if (send(m_client, answer.bytes.data() + at, size, MSG_NOSIGNAL) < 0) {
                closeClient();
                return;
            }
        }
        if (answer.resetAfter) {
            const linger abort{1, 0};
            setsockopt(m_client, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        }
        if (answer.closeAfter || answer.resetAfter) {
            closeClient();
            return;
        }
        m_flooding = m_flooding || answer.flood;
    }

    Script m_script;
    LoopbackListener m_listener;
    int m_client = -1;
    int m_wake[2] = {-1, -1};
    bool m_flooding = false;
    Bytes m_pending;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Bytes> m_requests;
    int m_connections = 0;
    bool m_clientPresent = false;
};
