#include "modbus/MbusTcpMasterProtocol.h"

#include "modbus/MbusError.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// A transaction never has more than one frame in flight either way.
constexpr int socketBufferSize = static_cast<int>(MbapFrame::maxFrameSize);

// A peer that keeps sending without being asked would keep the stale-input discard going for
// ever; after this many full buffers the connection is treated as out of step (130) so that
// transact replaces it.
constexpr int maxStaleBuffers = 16;

// A time-out or a reply that does not fit the request leaves the byte stream out of step: a late
// or partial reply could be taken for the answer to the next request.
bool replacesConnection(int result) {
    return result == MBUS_INVALID_FRAME || result == MBUS_INVALID_REPLY ||
           result == MBUS_REPLY_TIMEOUT;
}

} // namespace

MbusTcpMasterProtocol::~MbusTcpMasterProtocol() {
    closeLink();
}

int MbusTcpMasterProtocol::isLinkOpen() {
    return socket_ >= 0 ? 1 : 0;
}

void MbusTcpMasterProtocol::closeLink() {
    if (socket_ < 0) {
        return;
    }
    shutdown(socket_, SHUT_RDWR);
    close(socket_);
    socket_ = -1;
}

int MbusTcpMasterProtocol::connectTo(const char* hostName) {
    if (isLinkOpen()) {
        return MBUS_ILLEGAL_STATE;
    }
    if (hostName == nullptr) {
        return MBUS_TCP_CONNECT_ERROR;
    }
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port_);
    if (inet_pton(AF_INET, hostName, &peer.sin_addr) != 1) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(hostName, nullptr, &hints, &found) != 0 || found == nullptr) {
            return MBUS_TCP_CONNECT_ERROR;
        }
        sockaddr_in first{};
        std::memcpy(&first, found->ai_addr, sizeof first);
        freeaddrinfo(found);
        peer.sin_addr = first.sin_addr;
    }
    peerAddress_ = peer.sin_addr.s_addr;
    peerPort_ = port_;
    hasPeer_ = true;
    return reconnect();
}

int MbusTcpMasterProtocol::reconnect() {
    closeLink();
    if (!hasPeer_) {
        return MBUS_TCP_CONNECT_ERROR;
    }
    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (socket_ < 0) {
        return MBUS_OPEN_ERROR;
    }
    const int flags = fcntl(socket_, F_GETFL);
    if (flags < 0 || fcntl(socket_, F_SETFL, flags | O_NONBLOCK) < 0) {
        closeLink();
        return MBUS_OPEN_ERROR;
    }
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(peerPort_);
    peer.sin_addr.s_addr = peerAddress_;
    if (connect(socket_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0 &&
        errno != EINPROGRESS && errno != EWOULDBLOCK && errno != EAGAIN) {
        closeLink();
        return MBUS_TCP_CONNECT_ERROR;
    }
    const Readiness writable = waitReady(POLLOUT, pollTimeout(), false);
    if (writable != Readiness::ready) {
        closeLink();
        return writable == Readiness::timedOut ? MBUS_TCP_CONNECT_ERROR : MBUS_IO_ERROR;
    }
    int pendingError = 0;
    socklen_t size = sizeof pendingError;
    if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &pendingError, &size) != 0 || pendingError != 0) {
        closeLink();
        return MBUS_TCP_CONNECT_ERROR;
    }
    setSocketOptions();
    return MBUS_SUCCESS;
}

// Failures are ignored: the link works without them, only less promptly.
void MbusTcpMasterProtocol::setSocketOptions() {
    const int on = 1;
    setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    setsockopt(socket_, SOL_SOCKET, SO_SNDBUF, &socketBufferSize, sizeof socketBufferSize);
    setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &socketBufferSize, sizeof socketBufferSize);
    const linger noLinger{0, 0};
    setsockopt(socket_, SOL_SOCKET, SO_LINGER, &noLinger, sizeof noLinger);
}

int MbusTcpMasterProtocol::transact(int slave, int functionCode, const uint8_t* request,
                                    int requestLength, uint8_t* reply, int replyLength) {
    int retriesLeft = retryCount;
    if (!isLinkOpen()) {
        return MBUS_ILLEGAL_STATE;
    }
    bool reopened = false;
    for (;;) {
        bool sent = false;
        const int result =
            exchange(slave, functionCode, request, requestLength, reply, replyLength, sent);
        if (result == MBUS_CONNECTION_CLOSED && !sent && !reopened) {
            // The unit closes a connection idle for longer than its keepalive time. Nothing of
            // this request has gone out, so it goes on a fresh connection without being
            // repeated; a fresh connection that fails the same way is reported.
            reopened = true;
            const int reconnected = reconnect();
            if (reconnected != MBUS_SUCCESS) {
                return reconnected;
            }
            continue;
        }
        if (!replacesConnection(result)) {
            return result;
        }
        closeLink();
        const int reconnected = reconnect();
        if (reconnected != MBUS_SUCCESS) {
            return reconnected;
        }
        if (retriesLeft <= 0) {
            return result;
        }
        --retriesLeft;
    }
}

int MbusTcpMasterProtocol::transactOnce(int slave, int functionCode, const uint8_t* request,
                                        int requestLength, uint8_t* reply, int replyLength) {
    bool sent = false;
    return exchange(slave, functionCode, request, requestLength, reply, replyLength, sent);
}

int MbusTcpMasterProtocol::exchange(int slave, int functionCode, const uint8_t* request,
                                    int requestLength, uint8_t* reply, int replyLength,
                                    bool& sent) {
    if (requestLength < 0 || replyLength < 0 ||
        static_cast<size_t>(requestLength) > MbapFrame::maxDataSize ||
        static_cast<size_t>(replyLength) > MbapFrame::maxDataSize) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    if (!isLinkOpen()) {
        return MBUS_ILLEGAL_STATE;
    }
    // The poll spacing comes first: the unit may close an idle connection, or send late bytes,
    // while it lasts, and both must be found before the request goes out.
    waitPollDelay();
    const int stale = discardStaleInput();
    if (stale != MBUS_SUCCESS) {
        return stale;
    }
    const size_t requestSize = MbapFrame::buildRequest(frame_.data(), static_cast<unsigned>(slave),
                                                       static_cast<unsigned>(functionCode), request,
                                                       static_cast<size_t>(requestLength));
    if (waitReady(POLLOUT, pollTimeout(), false) != Readiness::ready) {
        return MBUS_IO_ERROR;
    }
    const ssize_t sentBytes = send(socket_, frame_.data(), requestSize, MSG_NOSIGNAL);
    if (sentBytes < 0) {
        return MBUS_CONNECTION_CLOSED;
    }
    sent = true;
    if (static_cast<size_t>(sentBytes) != requestSize) {
        return MBUS_IO_ERROR;
    }

    // The header, function code and first data byte tell a normal reply from an exception
    // reply, which is complete at that point; the size of a normal reply follows from the
    // request, never from the reply's own length field.
    size_t received = 0;
    int result = receiveUntil(received, MbapFrame::exceptionFrameSize, false);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    MbapFrame::ReplyHeader header = MbapFrame::parseReply(frame_.data(), received);
    if (!header.isException) {
        result =
            receiveUntil(received, MbapFrame::headerSize + static_cast<size_t>(replyLength), true);
        if (result != MBUS_SUCCESS) {
            return result;
        }
    }
    // Many Modbus TCP devices answer with unit identifier 0 whatever unit was addressed.
    if (header.functionCode != static_cast<unsigned>(functionCode) ||
        (header.unitId != static_cast<unsigned>(slave) && header.unitId != 0)) {
        return MBUS_INVALID_FRAME;
    }
    if (header.isException) {
        return exceptionError(static_cast<unsigned char>(header.exceptionCode));
    }
    if (replyLength > 0) {
        std::memcpy(reply, frame_.data() + MbapFrame::dataOffset, static_cast<size_t>(replyLength));
    }
    return MBUS_SUCCESS;
}

// Whatever arrived since the last reply (a late answer, trailing bytes) must not be taken for the
// answer to the coming request.
int MbusTcpMasterProtocol::discardStaleInput() {
    for (int buffers = 0;; ++buffers) {
        if (waitReady(POLLIN, 0, false) != Readiness::ready) {
            return MBUS_SUCCESS;
        }
        if (buffers == maxStaleBuffers) {
            return MBUS_INVALID_FRAME;
        }
        if (recv(socket_, frame_.data(), frame_.size(), 0) <= 0) {
            return MBUS_CONNECTION_CLOSED;
        }
    }
}

int MbusTcpMasterProtocol::receiveUntil(size_t& received, size_t wanted, bool repeatInterrupted) {
    while (received < wanted) {
        const Readiness readable = waitReady(POLLIN, pollTimeout(), repeatInterrupted);
        if (readable == Readiness::timedOut) {
            return MBUS_REPLY_TIMEOUT;
        }
        if (readable == Readiness::failed) {
            return MBUS_IO_ERROR;
        }
        const ssize_t count = recv(socket_, frame_.data() + received, wanted - received, 0);
        if (count <= 0) {
            return MBUS_CONNECTION_CLOSED;
        }
        received += static_cast<size_t>(count);
    }
    return MBUS_SUCCESS;
}

// An error or hang-up condition also counts as ready: the send or receive that follows reports
// it with its own code.
MbusTcpMasterProtocol::Readiness MbusTcpMasterProtocol::waitReady(short events, int pollTimeoutMs,
                                                                  bool repeatInterrupted) {
    pollfd entry{socket_, events, 0};
    for (;;) {
        const int result = poll(&entry, 1, pollTimeoutMs);
        if (result > 0) {
            return Readiness::ready;
        }
        if (result == 0) {
            return Readiness::timedOut;
        }
        if (errno != EINTR || !repeatInterrupted) {
            return Readiness::failed;
        }
    }
}

int MbusTcpMasterProtocol::pollTimeout() const {
    return timeoutMs > 0 ? timeoutMs : -1;
}
