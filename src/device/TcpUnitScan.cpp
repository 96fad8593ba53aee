#include "device/TcpUnitScan.h"

#include "device/IdentityRead.h"
#include "device/ScanListener.h"
#include "modbus/MbusError.h"
#include "modbus/MbusTcpMasterProtocol.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <thread>

namespace {

constexpr int tcpSlave = 1;
constexpr uint32_t lastOctetMask = 0xFF;

bool parseAddress(const std::string& text, uint32_t& address) {
    in_addr parsed{};
    if (text.empty() || ::inet_pton(AF_INET, text.c_str(), &parsed) != 1) {
        return false;
    }
    address = ntohl(parsed.s_addr);
    return true;
}

bool parseNumber(const std::string& text, uint32_t highest, uint32_t& value) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    value = static_cast<uint32_t>(std::stoul(text));
    return value <= highest;
}

} // namespace

std::string TcpUnitScan::dotted(uint32_t address) {
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

bool TcpUnitScan::parseRange(const std::string& text, Range& range, std::string& problem) {
    std::string addresses = text;
    range.port = MbusTcpMasterProtocol::defaultPort;
    const size_t colon = text.find(':');
    if (colon != std::string::npos) {
        uint32_t port = 0;
        if (!parseNumber(text.substr(colon + 1), 65535, port) || port == 0) {
            problem = "'" + text + "': the port after ':' must be a number from 1 to 65535";
            return false;
        }
        range.port = static_cast<uint16_t>(port);
        addresses = text.substr(0, colon);
    }
    const size_t dash = addresses.find('-');
    if (!parseAddress(addresses.substr(0, dash), range.first)) {
        problem = "'" + text + "': give ADDRESS[-LAST][:PORT] with dotted IPv4 addresses";
        return false;
    }
    range.last = range.first;
    if (dash != std::string::npos) {
        const std::string last = addresses.substr(dash + 1);
        uint32_t octet = 0;
        if (parseNumber(last, lastOctetMask, octet)) {
            range.last = (range.first & ~lastOctetMask) | octet;
        } else if (!parseAddress(last, range.last)) {
            problem = "'" + text + "': LAST is a dotted IPv4 address or a number up to 255";
            return false;
        }
    }
    if (range.last < range.first) {
        problem = "'" + text + "': the last address comes before the first";
        return false;
    }
    if (range.last - range.first >= maxAddresses) {
        problem = "'" + text + "': at most " + std::to_string(maxAddresses) + " addresses";
        return false;
    }
    return true;
}

void TcpUnitScan::run(const Range& range, int jobs, ScanListener& listener,
                      std::vector<FoundUnit>& found) {
    const int total = static_cast<int>(range.size());
    std::atomic<int> next{0};
    std::mutex reporting; // the listener's calls and `found`
    int done = 0;
    const auto probe = [&] {
        for (int index = next++; index < total; index = next++) {
            const std::string address = dotted(range.first + static_cast<uint32_t>(index));
            {
                const std::lock_guard lock(reporting);
                if (listener.cancelled()) {
                    return;
                }
                listener.progress(done, total, address);
            }
            MbusTcpMasterProtocol master;
            master.setTimeout(probeTimeoutMs);
            master.setPort(range.port);
            FoundUnit unit;
            const bool connected = master.connectTo(address.c_str()) == MBUS_SUCCESS;
            if (connected) {
                unit.address = address;
                unit.port = range.port;
                unit.slave = tcpSlave;
                unit.identityResult = readIdentity(master, tcpSlave, unit.identity);
                master.closeLink();
            }
            const std::lock_guard lock(reporting);
            ++done;
            if (connected) {
                found.push_back(unit);
                listener.found(unit);
            }
        }
    };
    std::vector<std::thread> workers;
    const int threads = std::clamp(jobs, 1, std::min(maxJobs, total));
    for (int i = 1; i < threads; ++i) {
        workers.emplace_back(probe);
    }
    probe();
    for (std::thread& worker : workers) {
        worker.join();
    }
    listener.progress(total, total, {});
    std::sort(found.begin(), found.end(), [](const FoundUnit& a, const FoundUnit& b) {
        in_addr left{};
        in_addr right{};
        ::inet_pton(AF_INET, a.address.c_str(), &left);
        ::inet_pton(AF_INET, b.address.c_str(), &right);
        return ntohl(left.s_addr) < ntohl(right.s_addr);
    });
}
