#include "sim/SimWakePipe.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

SimWakePipe::~SimWakePipe() {
    for (int fd : fds_) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

int SimWakePipe::open() {
    if (fds_[0] >= 0) {
        return 0;
    }
    return ::pipe2(fds_, O_CLOEXEC | O_NONBLOCK) == 0 ? 0 : errno;
}

void SimWakePipe::notify() {
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost when this write fails.
    [[maybe_unused]] const ssize_t written = ::write(fds_[1], &byte, 1);
}

bool SimWakePipe::notified() const {
    return sleepMs(0);
}

bool SimWakePipe::sleepMs(int milliseconds) const {
    pollfd wake{fds_[0], POLLIN, 0};
    int result;
    do {
        result = ::poll(&wake, 1, milliseconds);
    } while (result < 0 && errno == EINTR);
    return result > 0;
}
