#include "tools/vtrctl/VtrctlProgram.h"

#include <csignal>
#include <iostream>

namespace {

void onInterrupt(int) {
    VtrctlProgram::interrupt();
}

} // namespace

int main(int argc, char** argv) {
    // The first Ctrl+C ends a --count loop after the transaction under way, so that --stats
    // still reports; the handler is then reset, and a second Ctrl+C ends the program at once.
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    return VtrctlProgram().run(argc, argv, std::cout, std::cerr);
}
