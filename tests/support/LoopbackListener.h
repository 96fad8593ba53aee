#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

// A listening TCP socket on 127.0.0.1 at a port the system picks, on which a scripted unit, a
// benchmark or a fuzzer accepts the master's connections. Closed with the object, or earlier
// to refuse further connections.
class LoopbackListener {
public:
    explicit LoopbackListener(int backlog = 8) {
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (m_fd < 0 || bind(m_fd, any, size) != 0 || listen(m_fd, backlog) != 0 ||
            getsockname(m_fd, any, &size) != 0) {
            close();
            return;
        }
        m_port = ntohs(address.sin_port);
    }
    ~LoopbackListener() { close(); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    bool ok() const { return m_fd >= 0; }
    // The listening descriptor, for a poll; -1 once closed.
    int fd() const { return m_fd; }
    uint16_t port() const { return m_port; }
    // The next connection, blocking; -1 when none can be accepted.
    int accept() const { return accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC); }
    void close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd = -1;
    uint16_t m_port = 0;
};
