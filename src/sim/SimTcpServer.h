#pragma once

#include "sim/SimFaults.h"
#include "sim/SimSlave.h"
#include "sim/SimUnit.h"
#include "sim/SimWakePipe.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// The unit's Modbus TCP side: one thread that accepts clients and serves their requests one at
// a time, in arrival order. Like the unit, it closes a connection that has been idle for longer
// than the keepalive time of its TCP configuration, and when all its connections are taken it
// closes the one idle longest to make room for a newcomer.
class SimTcpServer {
public:
    using Trace = std::function<void(const std::string&)>;
    static constexpr size_t maxClients = 16;

    SimTcpServer(SimSlave& slave, SimUnit& unit, SimFaults& faults, Trace trace)
        : slave_(slave), unit_(unit), faults_(faults), trace_(std::move(trace)) {}
    ~SimTcpServer();
    SimTcpServer(const SimTcpServer&) = delete;
    SimTcpServer& operator=(const SimTcpServer&) = delete;

    // start's answer when the host name does not resolve to an IPv4 address.
    static constexpr int hostNotFound = -1;

    // Binds host:port (port 0: ephemeral) and starts serving; returns 0, an errno or
    // hostNotFound.
    int start(const std::string& host, uint16_t port);
    uint16_t port() const { return port_; }
    void stop();
    // Keep connections however long they stay idle, whatever the unit's keepalive (set before
    // start): a desktop program showing the unit may sit for minutes between requests.
    void keepIdleConnections(bool on) { keepIdle_ = on; }

private:
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Client {
        int fd = -1;
        std::vector<uint8_t> received;
        TimePoint lastActive;
    };

    void run();
    // Milliseconds until the next idle connection is due to be closed; -1: none is.
    int idleWaitMs() const;
    // The unit's keepalive time, or 0 when idle connections are kept.
    uint16_t idleLimitMs() const;
    void closeIdleClients();
    void closeClient(size_t index, const char* why);
    void acceptClient();
    // Reads what the client sent and serves every complete frame; false: drop the client.
    bool receive(Client& client);
    bool serveFrame(Client& client, const uint8_t* frame, size_t size);
    void trace(const char* direction, const uint8_t* bytes, size_t size, const std::string& label);

    SimSlave& slave_;
    SimUnit& unit_;
    SimFaults& faults_;
    Trace trace_;
    SimWakePipe wake_;
    int listener_ = -1;
    uint16_t port_ = 0;
    bool keepIdle_ = false;
    std::vector<Client> clients_;
    std::thread thread_;
};
