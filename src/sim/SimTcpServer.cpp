#include "sim/SimTcpServer.h"

#include "sim/SimHex.h"
#include "sim/SimMbapFrame.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

int resolveIpv4(const std::string& host, in_addr& address) {
    if (::inet_pton(AF_INET, host.c_str(), &address) == 1) {
        return 0;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
        return SimTcpServer::hostNotFound;
    }
    address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return 0;
}

constexpr size_t receiveChunk = 512;
using Clock = std::chrono::steady_clock;

} // namespace

SimTcpServer::~SimTcpServer() {
    stop();
}

int SimTcpServer::start(const std::string& host, uint16_t port) {
    if (thread_.joinable()) {
        return EALREADY;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    int result = resolveIpv4(host, address.sin_addr);
    if (result == 0) {
        result = wake_.open();
    }
    if (result != 0) {
        return result;
    }
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener_ < 0) {
        return errno;
    }
    const int on = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, SOMAXCONN) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        result = errno;
        ::close(listener_);
        listener_ = -1;
        return result;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
    return 0;
}

void SimTcpServer::stop() {
    if (thread_.joinable()) {
        wake_.notify();
        thread_.join();
    }
    for (Client& client : clients_) {
        ::close(client.fd);
    }
    clients_.clear();
    if (listener_ >= 0) {
        ::close(listener_);
        listener_ = -1;
    }
}

void SimTcpServer::run() {
    std::vector<pollfd> fds;
    while (true) {
        fds.clear();
        fds.push_back({wake_.fd(), POLLIN, 0});
        fds.push_back({listener_, POLLIN, 0});
        for (const Client& client : clients_) {
            fds.push_back({client.fd, POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), idleWaitMs()) < 0 && errno != EINTR) {
            return;
        }
        if (fds[0].revents != 0) {
            return;
        }
        // Serve the clients polled in this round; those that fail are closed afterwards.
        std::vector<size_t> dropped;
        for (size_t i = 0; i < clients_.size(); ++i) {
            if (fds[i + 2].revents != 0 && !receive(clients_[i])) {
                dropped.push_back(i);
            }
            if (wake_.notified()) {
                return;
            }
        }
        for (auto it = dropped.rbegin(); it != dropped.rend(); ++it) {
            closeClient(*it, nullptr);
        }
        closeIdleClients();
        if (fds[1].revents != 0) {
            acceptClient();
        }
    }
}

uint16_t SimTcpServer::idleLimitMs() const {
    return keepIdle_ ? 0 : unit_.keepaliveMs();
}

int SimTcpServer::idleWaitMs() const {
    const uint16_t keepaliveMs = idleLimitMs();
    if (keepaliveMs == 0 || clients_.empty()) {
        return -1;
    }
    TimePoint oldest = clients_.front().lastActive;
    for (const Client& client : clients_) {
        oldest = std::min(oldest, client.lastActive);
    }
    const auto left = oldest + std::chrono::milliseconds(keepaliveMs) - Clock::now();
    return static_cast<int>(
        std::max<int64_t>(std::chrono::ceil<std::chrono::milliseconds>(left).count(), 0));
}

void SimTcpServer::closeIdleClients() {
    const uint16_t keepaliveMs = idleLimitMs();
    if (keepaliveMs == 0) {
        return;
    }
    const TimePoint cutoff = Clock::now() - std::chrono::milliseconds(keepaliveMs);
    for (size_t i = clients_.size(); i-- > 0;) {
        if (clients_[i].lastActive <= cutoff) {
            closeClient(i, "idle for longer than the keepalive time");
        }
    }
}

void SimTcpServer::closeClient(size_t index, const char* why) {
    if (why != nullptr && trace_) {
        trace_(std::string("TCP closed connection: ") + why);
    }
    ::close(clients_[index].fd);
    clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(index));
}

void SimTcpServer::acceptClient() {
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
        return;
    }
    if (clients_.size() >= maxClients) {
        const auto idleLongest = std::min_element(
            clients_.begin(), clients_.end(),
            [](const Client& a, const Client& b) { return a.lastActive < b.lastActive; });
        closeClient(static_cast<size_t>(idleLongest - clients_.begin()),
                    "all taken; this one was idle longest");
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    clients_.push_back({fd, {}, Clock::now()});
}

bool SimTcpServer::receive(Client& client) {
    std::array<uint8_t, receiveChunk> chunk;
    const ssize_t received = ::recv(client.fd, chunk.data(), chunk.size(), 0);
    if (received == 0) {
        return false;
    }
    if (received < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    }
    client.lastActive = Clock::now();
    client.received.insert(client.received.end(), chunk.begin(), chunk.begin() + received);
    size_t size = 0;
    SimMbapFrame::Scan scan;
    while ((scan = SimMbapFrame::scan(client.received.data(), client.received.size(), size)) ==
           SimMbapFrame::Scan::Complete) {
        const bool keep = serveFrame(client, client.received.data(), size);
        // A late reply is activity too: the wait is the unit's, not the client's.
        client.lastActive = Clock::now();
        client.received.erase(client.received.begin(),
                              client.received.begin() + static_cast<std::ptrdiff_t>(size));
        if (!keep) {
            return false;
        }
    }
    // A length the unit cannot hold means the stream is out of step: drop the client.
    return scan != SimMbapFrame::Scan::OutOfStep;
}

bool SimTcpServer::serveFrame(Client& client, const uint8_t* frame, size_t size) {
    const SimMbapFrame::Header header = SimMbapFrame::parseHeader(frame);
    const uint8_t* pdu = frame + SimMbapFrame::pduOffset;
    const size_t pduSize = size - SimMbapFrame::pduOffset;
    std::string label;
    // Frames of another protocol are not Modbus: the unit ignores them.
    if (header.protocol != SimMbapFrame::modbusProtocol) {
        trace("TCP ignored", frame, size, "not Modbus");
        return true;
    }
    const SimFaultSettings faults = faults_.snapshot();
    const bool lost = faults.silent || faults.closeConnection;
    std::array<uint8_t, SimPdu::maxSize> reply;
    const size_t replySize =
        slave_.serve(header.unit, pdu, pduSize, faults,
                     lost ? SimSlave::Mode::Lost : SimSlave::Mode::Reply, reply.data(), label);
    trace("TCP request ", frame, size, label);
    if (faults.closeConnection) {
        return false;
    }
    if (replySize == 0) {
        return true;
    }
    if (faults.delayMs > 0 && wake_.sleepMs(faults.delayMs)) {
        return true;
    }
    std::array<uint8_t, SimMbapFrame::maxSize + sizeof SimFaultSettings::garbage> out;
    const uint8_t unit =
        faults.wrongSlave ? SimFaultSettings::otherSlave(header.unit) : header.unit;
    size_t outSize = SimMbapFrame::build(header, unit, reply.data(), replySize, out.data());
    if (faults.trailingGarbage) {
        std::memcpy(out.data() + outSize, SimFaultSettings::garbage,
                    sizeof SimFaultSettings::garbage);
        outSize += sizeof SimFaultSettings::garbage;
    }
    trace("TCP reply   ", out.data(), outSize, label);
    const ssize_t sent = ::send(client.fd, out.data(), outSize, MSG_NOSIGNAL);
    return sent == static_cast<ssize_t>(outSize);
}

void SimTcpServer::trace(const char* direction, const uint8_t* bytes, size_t size,
                         const std::string& label) {
    if (trace_) {
        trace_(std::string(direction) + " " + SimHex::format(bytes, size) + "  [" + label + "]");
    }
}
