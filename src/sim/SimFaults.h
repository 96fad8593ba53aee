#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

// An exception reply forced for every request whose address range overlaps [first, last].
struct SimExceptionRule {
    uint16_t first = 0;
    uint16_t last = 0;
    uint8_t code = 4;
};

// One consistent set of fault switches, as taken for one request.
struct SimFaultSettings {
    std::vector<SimExceptionRule> exceptions;
    int delayMs = 0;              // wait this long before replying
    bool silent = false;          // read the request, never reply
    bool closeConnection = false; // TCP: drop the connection instead of replying
    bool badCrc = false;          // RTU: reply with a corrupted CRC
    bool wrongSlave = false;      // reply from another slave address / unit identifier
    bool wrongFunction = false;   // reply with another function code
    bool trailingGarbage = false; // send extra bytes after the reply

    // The forced exception code for a request over [first, first + count - 1], or 0.
    uint8_t exceptionFor(uint16_t first, unsigned count) const;

    // The address a wrong-slave reply comes from: never the one asked, never 0 (a Modbus TCP
    // master accepts unit identifier 0 from anyone).
    static uint8_t otherSlave(uint8_t slave) { return slave >= 0xFE ? 1 : slave + 1; }
    // What trails a reply when trailingGarbage is on.
    static constexpr uint8_t garbage[3] = {0xDE, 0xAD, 0x55};
};

// The simulator's fault switches. Tests and the command line flip them while the unit runs;
// the serving threads take a snapshot per request.
class SimFaults {
public:
    static constexpr int maxDelayMs = 60000;

    SimFaultSettings snapshot() const;
    void set(const SimFaultSettings& settings);
    void clear();

    void addException(uint16_t first, uint16_t last, uint8_t code);
    void clearExceptions();
    void setDelayMs(int milliseconds);
    void setSilent(bool on);
    void setCloseConnection(bool on);
    void setBadCrc(bool on);
    void setWrongSlave(bool on);
    void setWrongFunction(bool on);
    void setTrailingGarbage(bool on);

private:
    mutable std::mutex mutex_;
    SimFaultSettings settings_;
};
