#include "modbus/SerialPort.h"

#include "modbus/ComPortName.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using R = SerialPortResult;
using SteadyClock = std::chrono::steady_clock;

struct BaudRate {
    int rate;
    speed_t code;
};

// Every rate the tty layer knows by a constant; the unit itself uses 1200 to 115200.
constexpr BaudRate baudRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

constexpr int parityNone = 0;
constexpr int parityOdd = 1;
constexpr int parityEven = 2;

bool findBaudCode(int rate, speed_t& code) {
    for (const auto& entry : baudRates) {
        if (entry.rate == rate) {
            code = entry.code;
            return true;
        }
    }
    return false;
}

// Raw binary line without any flow control or character processing; reads return what is
// there (VMIN 0, VTIME 0) because every wait is done with poll.
bool applyLineSettings(termios& settings, int baudRate, int dataBits, int stopBits, int parity) {
    speed_t code = B0;
    if (!findBaudCode(baudRate, code) || (dataBits != 7 && dataBits != 8) ||
        (stopBits != 1 && stopBits != 2) || parity < parityNone || parity > parityEven) {
        return false;
    }
    ::cfmakeraw(&settings);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | IGNPAR);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
    settings.c_cflag |= CLOCAL | CREAD | (dataBits == 7 ? CS7 : CS8);
    if (stopBits == 2) {
        settings.c_cflag |= CSTOPB;
    }
    if (parity != parityNone) {
        settings.c_cflag |= PARENB;
        settings.c_iflag |= INPCK;
    }
    if (parity == parityOdd) {
        settings.c_cflag |= PARODD;
    }
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return ::cfsetispeed(&settings, code) == 0 && ::cfsetospeed(&settings, code) == 0;
}

R openErrorResult(int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return R::PortNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
        return R::PortAccessDenied;
    default:
        return R::PortSystemError;
    }
}

// The end of one timed read or write; a time-out of 0 or below never ends.
class Deadline {
public:
    explicit Deadline(int timeoutMs)
        : unlimited_(timeoutMs <= 0),
          end_(SteadyClock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0)) {}

    // Milliseconds left, rounded up so that a wait never ends early; -1 without a limit.
    int pollTimeoutMs() const {
        if (unlimited_) {
            return -1;
        }
        const auto left = end_ - SteadyClock::now();
        if (left <= SteadyClock::duration::zero()) {
            return 0;
        }
        return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    }

private:
    bool unlimited_;
    SteadyClock::time_point end_;
};

// Waits until the port is ready for `events`; PortOk also when a signal cut the wait short,
// the caller then simply tries again.
R waitReady(int fd, short events, const Deadline& deadline) {
    const int timeoutMs = deadline.pollTimeoutMs();
    if (timeoutMs == 0) {
        return R::PortTimeout;
    }
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, timeoutMs);
    if (ready < 0) {
        return errno == EINTR ? R::PortOk : R::PortSystemError;
    }
    if (ready == 0) {
        return R::PortTimeout;
    }
    // A hung-up device (adapter unplugged, other end of a pseudo-terminal closed) would
    // otherwise report readiness forever without moving a byte.
    if ((entry.revents & events) == 0) {
        return R::PortSystemError;
    }
    return R::PortOk;
}

bool wouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

} // namespace

SerialPort::SerialPort() = default;

SerialPort::~SerialPort() {
    close();
}

SerialPortResult SerialPort::open(const char* portName) {
    close();
    if (portName == nullptr) {
        return R::PortNotFound;
    }
    const std::string path = comPortDevicePath(portName);
    const R opened = openDevice(path.c_str());
    if (opened != R::PortOk) {
        return opened;
    }
    ::tcflush(fd_, TCIOFLUSH);
    termios settings = *savedSettings_;
    if (!applyLineSettings(settings, defaultBaudRate, 8, 1, parityNone) ||
        ::tcsetattr(fd_, TCSANOW, &settings) != 0) {
        close();
        return R::PortBadSetting;
    }
    setModemLine(TIOCMBIS, TIOCM_DTR);
    setModemLine(TIOCMBIC, TIOCM_RTS);
    return R::PortOk;
}

// Opens, takes the advisory lock and exclusive use, and keeps the settings found. Anything
// that fails after the open closes the device again.
SerialPortResult SerialPort::openDevice(const char* path) {
    const int fd = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return openErrorResult(errno);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const R result = errno == EWOULDBLOCK ? R::PortAccessDenied : R::PortSystemError;
        ::close(fd);
        return result;
    }
#ifdef TIOCGEXCL
    // Root passes TIOCEXCL; still refuse a port that another program holds exclusively, and
    // do not clear its exclusive mode when we close.
    int alreadyExclusive = 0;
    if (::ioctl(fd, TIOCGEXCL, &alreadyExclusive) == 0 && alreadyExclusive != 0) {
        ::close(fd);
        return R::PortAccessDenied;
    }
#endif
    if (::ioctl(fd, TIOCEXCL) != 0) {
        ::close(fd);
        return R::PortSystemError;
    }
    fd_ = fd;
    savedSettings_ = std::make_unique<termios>();
    if (::tcgetattr(fd_, savedSettings_.get()) != 0) {
        closeDevice();
        return R::PortSystemError;
    }
    return R::PortOk;
}

SerialPortResult SerialPort::configure(int baudRate, int dataBits, int stopBits, int parity) {
    if (!isOpen()) {
        return R::PortNotOpen;
    }
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0) {
        return R::PortSystemError;
    }
    // Not read back: a pseudo-terminal accepts parity and then drops it.
    if (!applyLineSettings(settings, baudRate, dataBits, stopBits, parity) ||
        ::tcsetattr(fd_, TCSANOW, &settings) != 0) {
        return R::PortBadSetting;
    }
    return R::PortOk;
}

SerialPortResult SerialPort::read(uint8_t* buffer, size_t count, int timeoutMs) {
    if (!isOpen()) {
        return R::PortNotOpen;
    }
    const Deadline deadline(timeoutMs);
    size_t done = 0;
    while (done < count) {
        const ssize_t moved = ::read(fd_, buffer + done, count - done);
        if (moved > 0) {
            done += static_cast<size_t>(moved);
            continue;
        }
        if (moved < 0 && !wouldBlock(errno)) {
            return R::PortSystemError;
        }
        const R ready = waitReady(fd_, POLLIN, deadline);
        if (ready != R::PortOk) {
            return ready;
        }
    }
    return R::PortOk;
}

SerialPortResult SerialPort::write(const uint8_t* buffer, size_t count, int timeoutMs) {
    if (!isOpen()) {
        return R::PortNotOpen;
    }
    const Deadline deadline(timeoutMs);
    size_t done = 0;
    while (done < count) {
        const ssize_t moved = ::write(fd_, buffer + done, count - done);
        if (moved > 0) {
            done += static_cast<size_t>(moved);
            continue;
        }
        if (moved < 0 && !wouldBlock(errno)) {
            return R::PortSystemError;
        }
        const R ready = waitReady(fd_, POLLOUT, deadline);
        if (ready != R::PortOk) {
            return ready;
        }
    }
    return R::PortOk;
}

SerialPortResult SerialPort::purge() {
    if (!isOpen()) {
        return R::PortNotOpen;
    }
    return ::tcflush(fd_, TCIOFLUSH) == 0 ? R::PortOk : R::PortSystemError;
}

SerialPortResult SerialPort::drain() {
    if (!isOpen()) {
        return R::PortNotOpen;
    }
    int result = 0;
    do {
        result = ::tcdrain(fd_);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? R::PortOk : R::PortSystemError;
}

SerialPortResult SerialPort::setRts() {
    return setModemLine(TIOCMBIS, TIOCM_RTS);
}

SerialPortResult SerialPort::clearRts() {
    return setModemLine(TIOCMBIC, TIOCM_RTS);
}

SerialPortResult SerialPort::setModemLine(unsigned long request, int line) {
    if (!isOpen()) {
        return R::PortNotOpen;
    }
    return ::ioctl(fd_, request, &line) == 0 ? R::PortOk : R::PortSystemError;
}

void SerialPort::close() {
    if (!isOpen()) {
        return;
    }
    ::tcflush(fd_, TCIOFLUSH);
    ::tcsetattr(fd_, TCSANOW, savedSettings_.get());
    closeDevice();
}

void SerialPort::closeDevice() {
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}
