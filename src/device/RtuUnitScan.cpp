#include "device/RtuUnitScan.h"

#include "device/DeviceInfoCodec.h"
#include "device/IdentityRead.h"
#include "device/ScanListener.h"
#include "modbus/MbusError.h"
#include "modbus/MbusRtuMasterProtocol.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace {

constexpr int defaultSlave = 31;
constexpr int highestSlave = 247;
constexpr int dataBits = 8;
// As the program connects: two stop bits, which a unit sending one reads just the same.
constexpr int stopBits = 2;
constexpr int bitsPerCharacter = 11;
// Slave, function, address, count, CRC.
constexpr int readRequestBytes = 8;
// Slave, function, byte count, CRC, then two bytes per register.
constexpr int readReplyOverhead = 5;
constexpr int probeRegisters = 1;

const char* parityName(int parity) {
    constexpr std::array<const char*, 3> names{"none", "odd", "even"};
    return parity >= 0 && parity < static_cast<int>(names.size()) ? names[parity] : "?";
}

bool parseAddress(std::string_view text, int& value) {
    const bool hex = text.starts_with("0x") || text.starts_with("0X");
    if (hex) {
        text.remove_prefix(2);
    }
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, hex ? 16 : 10);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// Any reply, an exception included, shows a slave at that address.
bool answered(int result) {
    return result == MBUS_SUCCESS || (result > MBUS_EXCEPTION_RESPONSE && result <= 0xAF);
}

} // namespace

std::vector<int> RtuUnitScan::likelyBaudRates() {
    return {19200, 9600, 38400, 57600, 115200, 4800, 2400, 1200};
}

std::vector<int> RtuUnitScan::likelyParities() {
    return {MbusSerialMasterProtocol::parityEven, MbusSerialMasterProtocol::parityNone,
            MbusSerialMasterProtocol::parityOdd};
}

std::vector<int> RtuUnitScan::likelySlaves(int first, int last) {
    std::vector<int> slaves;
    if (first <= defaultSlave && defaultSlave <= last) {
        slaves.push_back(defaultSlave);
    }
    for (int slave = first; slave <= last; ++slave) {
        if (slave != defaultSlave) {
            slaves.push_back(slave);
        }
    }
    return slaves;
}

bool RtuUnitScan::parseSlaves(const std::string& text, std::vector<int>& slaves) {
    const size_t dash = text.find('-');
    const std::string_view whole(text);
    int first = 0;
    int last = 0;
    if (!parseAddress(whole.substr(0, dash), first) ||
        !parseAddress(dash == std::string::npos ? whole : whole.substr(dash + 1), last) ||
        first < 1 || last > highestSlave || first > last) {
        return false;
    }
    slaves = likelySlaves(first, last);
    return true;
}

int RtuUnitScan::probeTimeoutMs(int baudRate, int registers) {
    const int characters = readRequestBytes + readReplyOverhead + 2 * registers;
    const int wireMs =
        (characters * bitsPerCharacter * 1000 + baudRate - 1) / std::max(baudRate, 1);
    return wireMs + replyMarginMs;
}

int RtuUnitScan::run(const Plan& plan, ScanListener& listener, std::vector<FoundUnit>& found) {
    const int total =
        static_cast<int>(plan.baudRates.size() * plan.parities.size() * plan.slaves.size());
    const uint16_t identityAddress = RegisterMap::block(DeviceBlock::deviceInformation).address;
    int done = 0;
    for (const int baudRate : plan.baudRates) {
        for (const int parity : plan.parities) {
            MbusRtuMasterProtocol master;
            const int opened =
                master.openPort(plan.device.c_str(), baudRate, dataBits, stopBits, parity);
            if (opened != MBUS_SUCCESS) {
                return opened;
            }
            const int probeTimeout = probeTimeoutMs(baudRate, probeRegisters);
            for (const int slave : plan.slaves) {
                if (listener.cancelled()) {
                    return MBUS_SUCCESS;
                }
                listener.progress(done++, total,
                                  std::to_string(baudRate) + " baud, " + parityName(parity) +
                                      " parity, slave " + std::to_string(slave));
                master.setTimeout(probeTimeout);
                // Every probe asks another address, so a late reply cannot pass for the next one.
                master.setLateReplyWait(0);
                uint16_t probe = 0;
                if (!answered(master.readInputRegisters(
                        slave, RegisterMap::reference(identityAddress), &probe, probeRegisters))) {
                    continue;
                }
                FoundUnit unit;
                unit.device = plan.device;
                unit.baudRate = baudRate;
                unit.parity = parity;
                unit.slave = slave;
                master.setTimeout(probeTimeoutMs(baudRate, DeviceInfoCodec::deviceRegisters));
                // The identity takes more than one read from the same address.
                master.setLateReplyWait(-1);
                unit.identityResult = readIdentity(master, slave, unit.identity);
                found.push_back(unit);
                listener.found(unit);
                if (!plan.all && unit.identityResult == MBUS_SUCCESS) {
                    listener.progress(total, total, {});
                    return MBUS_SUCCESS;
                }
            }
        }
    }
    listener.progress(total, total, {});
    return MBUS_SUCCESS;
}
