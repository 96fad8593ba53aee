// vtr300-sim: the simulated VTR300 unit as a standalone Modbus TCP server and RTU slave.

#include "SimCommandLine.h"

#include "sim/SimRtuServer.h"
#include "sim/SimTcpServer.h"
#include "sim/Simulator.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <mutex>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int exitStartFailed = 2;

const char* parityName(uint16_t parityIndex) {
    static const char* const names[] = {"no", "odd", "even"};
    return parityIndex < 3 ? names[parityIndex] : "unknown";
}

} // namespace

int main(int argc, char** argv) {
    // A trace written to a file past its size limit fails with EFBIG instead of ending the
    // unit.
    std::signal(SIGXFSZ, SIG_IGN);
    SimCommandLine options;
    const int parsed = options.parse(argc, argv);
    if (parsed >= 0) {
        return parsed;
    }

    // The serving threads inherit this mask; only the main thread takes the stop signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    Simulator simulator(options.profile);
    simulator.faults().set(options.faults.snapshot());
    simulator.setLineSpeed(options.lineSpeed);
    std::mutex outputMutex;
    if (options.verbose) {
        simulator.setTrace([&outputMutex](const std::string& line) {
            std::lock_guard lock(outputMutex);
            std::cout << line << std::endl;
        });
    }

    if (options.tcp) {
        const int result = simulator.startTcp(options.tcpHost, options.tcpPort);
        if (result != 0) {
            std::cerr << "vtr300-sim: cannot serve Modbus TCP on " << options.tcpHost << ":"
                      << options.tcpPort << ": "
                      << (result == SimTcpServer::hostNotFound
                              ? "the name " + options.tcpHost +
                                    " does not resolve to an IPv4 address"
                              : std::string(std::strerror(result)))
                      << "\n";
            return exitStartFailed;
        }
        std::cout << "vtr300-sim: Modbus TCP on " << options.tcpHost << ":" << simulator.tcpPort()
                  << std::endl;
    }
    if (options.rtuPty || !options.rtuDevice.empty()) {
        const int result =
            options.rtuPty ? simulator.startRtuPty() : simulator.startRtu(options.rtuDevice);
        if (result != 0) {
            std::cerr << "vtr300-sim: cannot serve Modbus RTU"
                      << (options.rtuPty ? "" : " on " + options.rtuDevice) << ": "
                      << std::strerror(result) << "\n";
            return exitStartFailed;
        }
        const std::string path = simulator.rtuDevicePath();
        if (!options.rtuPtyLink.empty()) {
            // Replace only an old link; never a file that is something else.
            char target[1];
            if (::readlink(options.rtuPtyLink.c_str(), target, sizeof target) >= 0) {
                ::unlink(options.rtuPtyLink.c_str());
            }
            if (::symlink(path.c_str(), options.rtuPtyLink.c_str()) != 0) {
                std::cerr << "vtr300-sim: cannot link " << options.rtuPtyLink << " to " << path
                          << ": " << std::strerror(errno) << "\n";
                return exitStartFailed;
            }
        }
        const SimUnit::RtuLine line = simulator.unit().rtuLine();
        std::cout << "vtr300-sim: Modbus RTU on " << path
                  << (options.rtuPtyLink.empty() ? "" : " (linked as " + options.rtuPtyLink + ")")
                  << ", slave " << unsigned{line.slaveAddress} << ", "
                  << SimRtuServer::baudRate(line.baudIndex) << " baud, "
                  << parityName(line.parityIndex) << " parity" << std::endl;
    }

    // SIGUSR1 steps through --fault-cycle while the unit runs (and is ignored without one).
    size_t nextStep = 0;
    int signal = 0;
    while (sigwait(&stopSignals, &signal) == 0 && signal == SIGUSR1) {
        if (options.faultCycle.empty()) {
            continue;
        }
        simulator.faults().set(options.faultCycle[nextStep]);
        {
            std::lock_guard lock(outputMutex);
            std::cout << "vtr300-sim: faults now " << options.faultCycleTexts[nextStep]
                      << std::endl;
        }
        nextStep = (nextStep + 1) % options.faultCycle.size();
    }
    simulator.stop();
    if (!options.rtuPtyLink.empty()) {
        ::unlink(options.rtuPtyLink.c_str());
    }
    std::cout << "vtr300-sim: stopped" << std::endl;
    return 0;
}
