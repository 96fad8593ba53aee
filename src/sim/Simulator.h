#pragma once

#include "sim/SimFaults.h"
#include "sim/SimProfile.h"
#include "sim/SimRequestLog.h"
#include "sim/SimUnit.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class SimSlave;
class SimTcpServer;
class SimRtuServer;

// A simulated VTR300 that serves Modbus TCP and/or Modbus RTU from threads of its own. Embed
// it in a test or a program: start it on an ephemeral loopback port or a pseudo-terminal,
// talk to it with any master, stop it (or destroy it) to join its threads.
class Simulator {
public:
    explicit Simulator(const SimProfile& profile = SimProfile::richDefault());
    ~Simulator(); // stops everything, joins threads
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // 0 = ephemeral; returns 0, an errno or SimTcpServer::hostNotFound.
    int startTcp(const std::string& host = "127.0.0.1", uint16_t port = 0);
    uint16_t tcpPort() const;                // the bound port
    int startRtu(const std::string& device); // serve an existing tty; returns 0 or an errno
    int startRtuPty();                       // create a pseudo-terminal and serve it
    std::string rtuDevicePath() const;       // the path a master opens (the pty's slave side)
    void stop();

    SimUnit& unit();
    SimFaults& faults();
    std::vector<SimRequestLogEntry> requestLog() const;
    void clearRequestLog();

    // Keep idle TCP connections open instead of closing them after the unit's keepalive time
    // (set before startTcp).
    void setKeepIdleConnections(bool on);
    // Pace every RTU byte at the unit's configured baud rate (set before startRtu*).
    void setLineSpeed(bool on);
    // Called with one line per request and reply (hex, labelled with the block), from the
    // serving threads. Set before starting.
    void setTrace(std::function<void(const std::string&)> trace);

private:
    SimUnit unit_;
    SimFaults faults_;
    SimRequestLog log_;
    std::function<void(const std::string&)> trace_;
    bool lineSpeed_ = false;
    bool keepIdle_ = false;
    std::unique_ptr<SimSlave> slave_;
    std::unique_ptr<SimTcpServer> tcp_;
    std::unique_ptr<SimRtuServer> rtu_;
};
