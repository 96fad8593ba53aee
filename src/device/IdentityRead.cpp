#include "device/IdentityRead.h"

#include "device/DeviceInfoCodec.h"
#include "modbus/MbusError.h"
#include "modbus/MbusMasterFunctions.h"

#include <array>

int readIdentity(MbusMasterFunctions& master, int slave, DeviceInfo& identity) {
    std::array<uint16_t, DeviceInfoCodec::deviceRegisters> registers{};
    const int result = master.readInputRegisters(
        slave, RegisterMap::reference(RegisterMap::block(DeviceBlock::deviceInformation).address),
        registers.data(), DeviceInfoCodec::deviceRegisters);
    if (result == MBUS_SUCCESS) {
        identity = DeviceInfoCodec::decode(registers);
    }
    return result;
}
