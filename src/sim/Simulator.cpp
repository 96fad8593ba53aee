#include "sim/Simulator.h"

#include "sim/SimRtuServer.h"
#include "sim/SimSlave.h"
#include "sim/SimTcpServer.h"

#include <cerrno>

Simulator::Simulator(const SimProfile& profile)
    : unit_(profile), slave_(std::make_unique<SimSlave>(unit_, log_)) {}

Simulator::~Simulator() {
    stop();
}

int Simulator::startTcp(const std::string& host, uint16_t port) {
    if (tcp_) {
        return EALREADY;
    }
    auto server = std::make_unique<SimTcpServer>(*slave_, unit_, faults_, trace_);
    server->keepIdleConnections(keepIdle_);
    const int result = server->start(host, port);
    if (result == 0) {
        tcp_ = std::move(server);
    }
    return result;
}

uint16_t Simulator::tcpPort() const {
    return tcp_ ? tcp_->port() : 0;
}

int Simulator::startRtu(const std::string& device) {
    if (rtu_) {
        return EALREADY;
    }
    auto server = std::make_unique<SimRtuServer>(*slave_, unit_, faults_, trace_, lineSpeed_);
    const int result = server->startDevice(device);
    if (result == 0) {
        rtu_ = std::move(server);
    }
    return result;
}

int Simulator::startRtuPty() {
    if (rtu_) {
        return EALREADY;
    }
    auto server = std::make_unique<SimRtuServer>(*slave_, unit_, faults_, trace_, lineSpeed_);
    const int result = server->startPty();
    if (result == 0) {
        rtu_ = std::move(server);
    }
    return result;
}

std::string Simulator::rtuDevicePath() const {
    return rtu_ ? rtu_->devicePath() : std::string();
}

void Simulator::stop() {
    tcp_.reset();
    rtu_.reset();
}

SimUnit& Simulator::unit() {
    return unit_;
}

SimFaults& Simulator::faults() {
    return faults_;
}

std::vector<SimRequestLogEntry> Simulator::requestLog() const {
    return log_.entries();
}

void Simulator::clearRequestLog() {
    log_.clear();
}

void Simulator::setLineSpeed(bool on) {
    lineSpeed_ = on;
}

void Simulator::setKeepIdleConnections(bool on) {
    keepIdle_ = on;
}

void Simulator::setTrace(std::function<void(const std::string&)> trace) {
    trace_ = std::move(trace);
}
