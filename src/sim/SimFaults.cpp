#include "sim/SimFaults.h"

#include <algorithm>

uint8_t SimFaultSettings::exceptionFor(uint16_t first, unsigned count) const {
    const unsigned last = first + (count == 0 ? 0 : count - 1);
    for (const SimExceptionRule& rule : exceptions) {
        if (first <= rule.last && rule.first <= last) {
            return rule.code;
        }
    }
    return 0;
}

SimFaultSettings SimFaults::snapshot() const {
    std::lock_guard lock(mutex_);
    return settings_;
}

void SimFaults::set(const SimFaultSettings& settings) {
    std::lock_guard lock(mutex_);
    settings_ = settings;
    settings_.delayMs = std::clamp(settings_.delayMs, 0, maxDelayMs);
}

void SimFaults::clear() {
    set({});
}

void SimFaults::addException(uint16_t first, uint16_t last, uint8_t code) {
    std::lock_guard lock(mutex_);
    settings_.exceptions.push_back({std::min(first, last), std::max(first, last), code});
}

void SimFaults::clearExceptions() {
    std::lock_guard lock(mutex_);
    settings_.exceptions.clear();
}

void SimFaults::setDelayMs(int milliseconds) {
    std::lock_guard lock(mutex_);
    settings_.delayMs = std::clamp(milliseconds, 0, maxDelayMs);
}

void SimFaults::setSilent(bool on) {
    std::lock_guard lock(mutex_);
    settings_.silent = on;
}

void SimFaults::setCloseConnection(bool on) {
    std::lock_guard lock(mutex_);
    settings_.closeConnection = on;
}

void SimFaults::setBadCrc(bool on) {
    std::lock_guard lock(mutex_);
    settings_.badCrc = on;
}

void SimFaults::setWrongSlave(bool on) {
    std::lock_guard lock(mutex_);
    settings_.wrongSlave = on;
}

void SimFaults::setWrongFunction(bool on) {
    std::lock_guard lock(mutex_);
    settings_.wrongFunction = on;
}

void SimFaults::setTrailingGarbage(bool on) {
    std::lock_guard lock(mutex_);
    settings_.trailingGarbage = on;
}
