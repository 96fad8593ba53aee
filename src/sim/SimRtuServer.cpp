#include "sim/SimRtuServer.h"

#include "sim/SimHex.h"
#include "sim/SimRtuFrame.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace {

// Modbus RTU characters are 11 bits: start, 8 data, parity or a second stop bit, stop.
constexpr unsigned bitsPerCharacter = 11;
// Frames end after 3.5 character times of silence; a pseudo-terminal and a loaded machine
// deliver bytes in bursts, so the unit waits at least this long before closing a frame.
constexpr int minFrameGapMs = 10;
constexpr int noPeerRetryMs = 20;
// More than this many bytes without a frame in them is noise; the unit starts over.
constexpr size_t maxReceived = 2 * SimRtuFrame::maxSize;

speed_t speedOf(unsigned baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B19200;
    }
}

} // namespace

unsigned SimRtuServer::baudRate(uint16_t baudIndex) {
    constexpr std::array<unsigned, 8> rates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    return baudIndex < rates.size() ? rates[baudIndex] : 19200;
}

SimRtuServer::~SimRtuServer() {
    stop();
}

int SimRtuServer::startDevice(const std::string& device) {
    if (thread_.joinable()) {
        return EALREADY;
    }
    fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        return errno;
    }
    path_ = device;
    isPty_ = false;
    configureLine(unit_.rtuLine());
    return startThread();
}

int SimRtuServer::startPty() {
    if (thread_.joinable()) {
        return EALREADY;
    }
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        return errno;
    }
    std::array<char, 128> name{};
    if (::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0 ||
        ::ptsname_r(fd_, name.data(), name.size()) != 0) {
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        return error;
    }
    path_ = name.data();
    isPty_ = true;
    // Termios calls on the master reach the slave side: make it a raw line from the start.
    termios settings{};
    if (::tcgetattr(fd_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(fd_, TCSANOW, &settings);
    }
    configuredLine_ = unit_.rtuLine();
    return startThread();
}

int SimRtuServer::startThread() {
    const int result = wake_.open();
    if (result != 0) {
        ::close(fd_);
        fd_ = -1;
        return result;
    }
    thread_ = std::thread([this] { run(); });
    return 0;
}

void SimRtuServer::stop() {
    if (thread_.joinable()) {
        wake_.notify();
        thread_.join();
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void SimRtuServer::configureLine(const SimUnit::RtuLine& line) {
    configuredLine_ = line;
    // On a pseudo-terminal the master owns the line settings; only a real line is set here.
    if (isPty_) {
        return;
    }
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0) {
        return;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(PARENB | PARODD | CSTOPB);
    if (line.parityIndex == 1) {
        settings.c_cflag |= PARENB | PARODD;
    } else if (line.parityIndex == 2) {
        settings.c_cflag |= PARENB;
    }
    const speed_t speed = speedOf(baudRate(line.baudIndex));
    ::cfsetispeed(&settings, speed);
    ::cfsetospeed(&settings, speed);
    ::tcsetattr(fd_, TCSANOW, &settings);
}

int SimRtuServer::frameGapMs() const {
    const unsigned baud = baudRate(configuredLine_.baudIndex);
    const int gap = static_cast<int>((7 * bitsPerCharacter * 1000 / 2 + baud - 1) / baud);
    return std::max(gap, minFrameGapMs);
}

void SimRtuServer::run() {
    while (true) {
        std::array<pollfd, 2> fds{{{wake_.fd(), POLLIN, 0}, {fd_, POLLIN, 0}}};
        const int timeout = received_.empty() && !discardUntilSilence_ ? -1 : frameGapMs();
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR) {
            return;
        }
        if (fds[0].revents != 0) {
            return;
        }
        if (ready == 0) {
            // Silence: whatever is buffered is one whole frame, or noise.
            if (!discardUntilSilence_ && received_.size() >= SimRtuFrame::minSize &&
                SimRtuFrame::crcValid(received_.data(), received_.size())) {
                serveFrame(received_.data(), received_.size());
            }
            received_.clear();
            discardUntilSilence_ = false;
            continue;
        }
        if (fds[1].revents != 0) {
            if (receive()) {
                extractFrames();
            } else {
                // No master has the pseudo-terminal open (or the device went away): wait for
                // one without spinning.
                received_.clear();
                if (wake_.sleepMs(noPeerRetryMs)) {
                    return;
                }
            }
        }
    }
}

bool SimRtuServer::receive() {
    std::array<uint8_t, SimRtuFrame::maxSize> chunk;
    const ssize_t count = ::read(fd_, chunk.data(), chunk.size());
    if (count <= 0) {
        return count < 0 && (errno == EAGAIN || errno == EINTR);
    }
    if (received_.size() + static_cast<size_t>(count) > maxReceived) {
        received_.clear();
        discardUntilSilence_ = true;
    }
    if (!discardUntilSilence_) {
        received_.insert(received_.end(), chunk.begin(), chunk.begin() + count);
    }
    return true;
}

void SimRtuServer::extractFrames() {
    while (!received_.empty() && !discardUntilSilence_) {
        const size_t expected =
            SimRtuFrame::expectedRequestSize(received_.data(), received_.size());
        // Unknown function codes end at the next silence; others once all their bytes are in.
        if (expected == 0 || expected == SimRtuFrame::unknownSize || received_.size() < expected) {
            return;
        }
        if (!SimRtuFrame::crcValid(received_.data(), expected)) {
            // A corrupted frame: the unit drops everything up to the next silence.
            trace("RTU bad CRC ", received_.data(), received_.size(), "ignored");
            received_.clear();
            discardUntilSilence_ = true;
            return;
        }
        serveFrame(received_.data(), expected);
        received_.erase(received_.begin(),
                        received_.begin() + static_cast<std::ptrdiff_t>(expected));
    }
}

// On a pseudo-terminal the client's termios settings are the line: termios calls on the master
// side read the slave side's. A unit listening at another baud rate or parity receives noise
// and stays silent, so the simulated one does too. The pty driver clears PARENB whatever the
// client set, but keeps PARODD and the input parity check (INPCK) that a client asking for
// parity sets with it.
bool SimRtuServer::lineMatchesClient() const {
    termios settings{};
    if (!isPty_ || ::tcgetattr(fd_, &settings) != 0) {
        return true;
    }
    const bool parity = (settings.c_cflag & PARENB) != 0 || (settings.c_iflag & INPCK) != 0;
    const bool odd = parity && (settings.c_cflag & PARODD) != 0;
    const uint16_t clientParity = !parity ? 0 : odd ? 1 : 2;
    return ::cfgetospeed(&settings) == speedOf(baudRate(configuredLine_.baudIndex)) &&
           clientParity == configuredLine_.parityIndex;
}

void SimRtuServer::serveFrame(const uint8_t* frame, size_t size) {
    if (!lineMatchesClient()) {
        trace("RTU garbled ", frame, size, "the line's baud rate or parity is not the unit's");
        return;
    }
    const SimUnit::RtuLine line = unit_.rtuLine();
    const uint8_t slave = frame[SimRtuFrame::addressOffset];
    constexpr uint8_t broadcast = 0;
    if (slave != line.slaveAddress && slave != broadcast) {
        // Another unit's frame; worth a line when someone wonders why nothing answers.
        trace("RTU ignored ", frame, size,
              "for slave " + std::to_string(slave) + ", this unit is slave " +
                  std::to_string(line.slaveAddress));
        return;
    }
    const SimFaultSettings faults = faults_.snapshot();
    const bool lost = faults.silent || faults.closeConnection;
    const SimSlave::Mode mode = lost                 ? SimSlave::Mode::Lost
                                : slave == broadcast ? SimSlave::Mode::Broadcast
                                                     : SimSlave::Mode::Reply;
    std::array<uint8_t, SimPdu::maxSize> reply;
    std::string label;
    const size_t replySize = slave_.serve(slave, frame + SimRtuFrame::pduOffset,
                                          size - SimRtuFrame::pduOffset - SimRtuFrame::crcSize,
                                          faults, mode, reply.data(), label);
    trace("RTU request ", frame, size, label);
    if (replySize != 0 && !(faults.delayMs > 0 && wake_.sleepMs(faults.delayMs))) {
        std::array<uint8_t, SimRtuFrame::maxSize + sizeof SimFaultSettings::garbage> out;
        const uint8_t from = faults.wrongSlave ? SimFaultSettings::otherSlave(slave) : slave;
        size_t outSize =
            SimRtuFrame::build(from, reply.data(), replySize, faults.badCrc, out.data());
        if (faults.trailingGarbage) {
            std::memcpy(out.data() + outSize, SimFaultSettings::garbage,
                        sizeof SimFaultSettings::garbage);
            outSize += sizeof SimFaultSettings::garbage;
        }
        trace("RTU reply   ", out.data(), outSize, label);
        send(out.data(), outSize, line);
    }
    // A new RTU configuration takes effect once the reply has gone out with the old one.
    const SimUnit::RtuLine now = unit_.rtuLine();
    if (now.baudIndex != configuredLine_.baudIndex ||
        now.parityIndex != configuredLine_.parityIndex) {
        configureLine(now);
    }
}

void SimRtuServer::send(const uint8_t* bytes, size_t size, const SimUnit::RtuLine& line) {
    using Clock = std::chrono::steady_clock;
    const auto characterTime =
        std::chrono::microseconds(bitsPerCharacter * 1000000 / baudRate(line.baudIndex));
    auto next = Clock::now();
    const size_t step = lineSpeed_ ? 1 : size;
    for (size_t sent = 0; sent < size;) {
        if (lineSpeed_) {
            const auto wait =
                std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
            if (wait.count() > 0 && wake_.sleepMs(static_cast<int>(wait.count()))) {
                return;
            }
            next += characterTime;
        }
        const ssize_t written = ::write(fd_, bytes + sent, std::min(step, size - sent));
        if (written < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                if (wake_.sleepMs(1)) {
                    return;
                }
                continue;
            }
            return;
        }
        sent += static_cast<size_t>(written);
    }
    if (!isPty_ && !lineSpeed_) {
        ::tcdrain(fd_);
    }
}

void SimRtuServer::trace(const char* direction, const uint8_t* bytes, size_t size,
                         const std::string& label) {
    if (trace_) {
        trace_(std::string(direction) + " " + SimHex::format(bytes, size) + "  [" + label + "]");
    }
}
