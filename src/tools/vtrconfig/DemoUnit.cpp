#include "tools/vtrconfig/DemoUnit.h"

#include "device/CVtrConfigDoc.h"
#include "sim/SimProfileLoader.h"

#include <cstring>

namespace {

constexpr const char* kLoopback = "127.0.0.1";

} // namespace

bool DemoUnit::start(const std::string& profilePath, std::string& failure) {
    SimProfile profile = SimProfile::richDefault();
    if (!profilePath.empty() &&
        SimProfileLoader::loadFile(profilePath, profile, failure) != SimProfileLoader::ok) {
        return false;
    }
    m_simulator = std::make_unique<Simulator>(profile);
    // The window may sit unused for minutes; a real unit would drop the connection after its
    // keepalive time and the next command would fail, which is no way to meet the program.
    m_simulator->setKeepIdleConnections(true);
    const int result = m_simulator->startTcp(kLoopback, 0);
    if (result != 0) {
        failure = std::string("cannot start the simulated unit: ") +
                  (result > 0 ? std::strerror(result) : "loopback address not found");
        m_simulator.reset();
        return false;
    }
    return true;
}

void DemoUnit::pointAt(CVtrConfigDoc& document) const {
    ConnectOptions options = document.getConnectOptions();
    options.protocol = ConnectOptions::modbusTcp;
    options.server = kLoopback;
    options.tcpPort = m_simulator->tcpPort();
    document.setConnectOptions(options);
    document.SetModifiedFlag(false);
}
