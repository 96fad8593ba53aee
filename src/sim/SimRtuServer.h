#pragma once

#include "sim/SimFaults.h"
#include "sim/SimSlave.h"
#include "sim/SimUnit.h"
#include "sim/SimWakePipe.h"

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// The unit's Modbus RTU side on a serial device or on a pseudo-terminal it creates. It answers
// only its own slave address (read from the unit before every frame, so a new RTU
// configuration takes effect with the next request), performs broadcast writes silently and
// ignores frames with a bad CRC, like a slave on a shared line. On a pseudo-terminal it hears
// only a client whose baud rate and parity are the unit's own.
class SimRtuServer {
public:
    using Trace = std::function<void(const std::string&)>;

    SimRtuServer(SimSlave& slave, SimUnit& unit, SimFaults& faults, Trace trace, bool lineSpeed)
        : slave_(slave), unit_(unit), faults_(faults), trace_(std::move(trace)),
          lineSpeed_(lineSpeed) {}
    ~SimRtuServer();
    SimRtuServer(const SimRtuServer&) = delete;
    SimRtuServer& operator=(const SimRtuServer&) = delete;

    int startDevice(const std::string& device); // 0 or an errno
    int startPty();                             // 0 or an errno
    const std::string& devicePath() const { return path_; }
    void stop();

    // Bits per second of a baud index (0..7), 19200 for an unknown index.
    static unsigned baudRate(uint16_t baudIndex);

private:
    int startThread();
    void run();
    // Reads what arrived; false when the line has no peer for now (pty slave closed).
    bool receive();
    void extractFrames();
    void serveFrame(const uint8_t* frame, size_t size);
    bool lineMatchesClient() const;
    void send(const uint8_t* bytes, size_t size, const SimUnit::RtuLine& line);
    void configureLine(const SimUnit::RtuLine& line);
    int frameGapMs() const;
    void trace(const char* direction, const uint8_t* bytes, size_t size, const std::string& label);

    SimSlave& slave_;
    SimUnit& unit_;
    SimFaults& faults_;
    Trace trace_;
    bool lineSpeed_;
    bool isPty_ = false;
    int fd_ = -1;
    std::string path_;
    SimWakePipe wake_;
    std::vector<uint8_t> received_;
    bool discardUntilSilence_ = false;
    SimUnit::RtuLine configuredLine_{};
    std::thread thread_;
};
