#include "tools/vtrctl/VtrctlProgram.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace {

void onInterrupt(int) {
    VtrctlProgram::interrupt();
}

// A standard stream the caller closed is held by /dev/null opened for reading: the socket or
// file opened next cannot take its number and carry vtrctl's output, and a write to it fails
// as it would have.
void holdClosedStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            if (::open("/dev/null", O_RDONLY) < 0) {
                return;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    holdClosedStandardStreams();
    // Past a file-size limit an export fails with EFBIG and is reported like a full disk,
    // instead of the signal ending vtrctl with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    // The first Ctrl+C ends a --count loop after the transaction under way, so that --stats
    // still reports; the handler is then reset, and a second Ctrl+C ends the program at once.
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    const int status = VtrctlProgram().run(argc, argv, std::cout, std::cerr);
    // A file system may report a failed write only when the file is closed.
    if (std::fclose(stdout) != 0 && status != VtrctlProgram::exitFailure &&
        status != VtrctlProgram::exitUsage) {
        std::cerr << VtrctlProgram::outputLostMessage << '\n';
        return VtrctlProgram::exitFailure;
    }
    return status;
}
