#include "device/RtuUnitScan.h"

#include "device/DeviceInfoCodec.h"
#include "device/IdentityRead.h"
#include "device/ScanListener.h"
#include "modbus/MbusError.h"
#include "modbus/MbusRtuMasterProtocol.h"

#include <algorithm>
#include <array>

namespace {

constexpr int defaultSlave = 31;
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

int RtuUnitScan::probeTimeoutMs(int baudRate, int registers) {
    const int characters = readRequestBytes + readReplyOverhead + 2 * registers;
    const int wireMs = (characters * bitsPerCharacter * 1000 + baudRate - 1) / std::max(baudRate, 1);
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
