#pragma once

#include "modbus/MbapFrame.h"
#include "modbus/MbusMasterFunctions.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Modbus master over a TCP connection (Modbus TCP, MBAP framing). The socket is non-blocking for
// its whole life and every connect, send and receive is gated by a readiness wait of at most
// timeoutMs (0: no limit). After a reply time-out or a malformed reply the connection is
// dropped and made anew before the failure is reported, so that a late reply can never be
// taken for the answer to the next request. A connection the peer closed while it was idle
// (a VTR300 closes one after its keepalive time) is made anew before the request is sent; one
// that closes after the request went out is reported (69), since the unit may have acted on it.
class MbusTcpMasterProtocol : public MbusMasterFunctions {
public:
    static constexpr uint16_t defaultPort = 502;

    MbusTcpMasterProtocol() = default;
    // Closes a connection that is still open.
    ~MbusTcpMasterProtocol() override;

    int isLinkOpen() override;
    void closeLink() override;
    // One attempt; after 130, 131 or 132 the connection is replaced and the attempt repeated
    // while retries are left. A connection found closed before any of the request was sent is
    // replaced once and the request sent on the new one. A failed reconnection is returned and
    // leaves the master closed.
    int transact(int slave, int functionCode, const uint8_t* request, int requestLength,
                 uint8_t* reply, int replyLength) override;
    // One attempt over the open connection; never reconnects.
    virtual int transactOnce(int slave, int functionCode, const uint8_t* request, int requestLength,
                             uint8_t* reply, int replyLength);

    // Resolves hostName (a dotted IPv4 address is taken as it stands, anything else is looked
    // up as an IPv4 host name) and connects to it on the port set with setPort. Returns 2 when
    // already open, 68 when the name does not resolve, else the result of reconnect().
    int connectTo(const char* hostName);
    // Connects anew to the peer of the last successful name resolution.
    int reconnect();

    // The TCP port used by the next connectTo.
    void setPort(uint16_t port) { port_ = port; }
    uint16_t getPort() const { return port_; }

private:
    enum class Readiness { ready, timedOut, failed };

    // One attempt, as transactOnce; `sent` tells whether any of the request went out.
    int exchange(int slave, int functionCode, const uint8_t* request, int requestLength,
                 uint8_t* reply, int replyLength, bool& sent);
    Readiness waitReady(short events, int pollTimeoutMs, bool repeatInterrupted);
    int pollTimeout() const;
    int discardStaleInput();
    int receiveUntil(size_t& received, size_t wanted, bool repeatInterrupted);
    void setSocketOptions();

    int socket_ = -1;
    uint16_t port_ = defaultPort;
    // The peer of the last name resolution: IPv4 address in network byte order, and port.
    // Kept as plain numbers so that users of this header need no socket headers.
    uint32_t peerAddress_ = 0;
    uint16_t peerPort_ = defaultPort;
    bool hasPeer_ = false;
    std::array<uint8_t, MbapFrame::maxFrameSize> frame_{};
};
