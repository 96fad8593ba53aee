#include "tools/vtrctl/LinkOptions.h"

#include "modbus/MbusTcpMasterProtocol.h"
#include "tools/vtrctl/NumberArgument.h"

#include <CLI/CLI.hpp>

namespace {
constexpr int64_t lowestPort = 1;
constexpr int64_t highestPort = 65535;
} // namespace

void LinkOptions::addTo(CLI::App& app) {
    app.add_option("--tcp", tcpTarget_,
                   "Modbus TCP server to talk to: a host name or dotted IPv4 address, "
                   "optionally followed by :PORT (default port 502)")
        ->type_name("HOST[:PORT]");
}

bool LinkOptions::check(std::string& problem) {
    if (tcpTarget_.empty()) {
        problem = "no link given: use --tcp HOST[:PORT]";
        return false;
    }
    return checkTcpTarget(problem);
}

bool LinkOptions::checkTcpTarget(std::string& problem) {
    tcpPort_ = MbusTcpMasterProtocol::defaultPort;
    const size_t colon = tcpTarget_.rfind(':');
    tcpHost_ = tcpTarget_.substr(0, colon);
    if (colon != std::string::npos) {
        int64_t port = 0;
        if (!NumberArgument::parse(tcpTarget_.substr(colon + 1), port) || port < lowestPort ||
            port > highestPort) {
            problem = "--tcp: the port after ':' must be a number from 1 to 65535";
            return false;
        }
        tcpPort_ = static_cast<uint16_t>(port);
    }
    if (tcpHost_.empty()) {
        problem = "--tcp: the host name is missing";
        return false;
    }
    return true;
}

int LinkOptions::open(const MasterSettings& settings,
                      std::unique_ptr<MbusMasterFunctions>& master) const {
    auto tcp = std::make_unique<MbusTcpMasterProtocol>();
    tcp->setTimeout(settings.timeoutMs);
    tcp->setRetryCount(settings.retryCount);
    tcp->setPollDelay(settings.pollDelayMs);
    tcp->setPort(tcpPort_);
    const int result = tcp->connectTo(tcpHost_.c_str());
    master = std::move(tcp);
    return result;
}
