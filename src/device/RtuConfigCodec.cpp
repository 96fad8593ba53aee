#include "device/RtuConfigCodec.h"

namespace RtuConfigCodec {

namespace {
constexpr size_t serialInterfaceRegister = 0;
constexpr size_t baudIndexRegister = 1;
constexpr size_t parityIndexRegister = 2;
constexpr size_t slaveIdHighRegister = 3;
} // namespace

RtuConfig decode(std::span<const uint16_t, registers> block) {
    RtuConfig config;
    config.serialInterface = block[serialInterfaceRegister];
    config.baudIndex = block[baudIndexRegister];
    config.parityIndex = block[parityIndexRegister];
    // Only the low byte carries the high bits of the slave address.
    config.slaveIdHigh = static_cast<uint8_t>(block[slaveIdHighRegister] & 0xFF);
    return config;
}

std::array<uint16_t, writeRegisters> encode(const RtuConfig& config) {
    std::array<uint16_t, writeRegisters> block{};
    block[serialInterfaceRegister] = config.serialInterface;
    block[baudIndexRegister] = config.baudIndex;
    block[parityIndexRegister] = config.parityIndex;
    block[slaveIdHighRegister] = config.slaveIdHigh;
    return block;
}

} // namespace RtuConfigCodec
