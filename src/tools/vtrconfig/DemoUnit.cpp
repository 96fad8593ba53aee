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
    // The unit's own keepalive rule stays: the demo closes an idle connection as a real unit
    // does, and the program connects again before its next request.
    m_simulator = std::make_unique<Simulator>(profile);
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
