#include "device/DeviceInfoCodec.h"

#include "device/TextField.h"

namespace DeviceInfoCodec {

namespace {

// Register offsets of the text fields, the same in both blocks.
constexpr size_t manufacturerOffset = 0;
constexpr size_t modelNumberOffset = 16;
constexpr size_t serialNumberOffset = 32;
constexpr size_t firmwareRevisionOffset = 48;
constexpr size_t ethernetFirmwareRevisionOffset = 64;

constexpr const char* singleInterfaceRevisions[] = {"KX5120-01AR", "KX5120-02AR"};

template <size_t N>
std::string textAt(std::span<const uint16_t, N> registers, size_t offset) {
    return TextField::decode(registers.subspan(offset).template first<TextField::registers>());
}

} // namespace

DeviceInfo decode(std::span<const uint16_t, deviceRegisters> registers) {
    DeviceInfo info;
    info.manufacturer = textAt(registers, manufacturerOffset);
    info.modelNumber = textAt(registers, modelNumberOffset);
    info.serialNumber = textAt(registers, serialNumberOffset);
    info.firmwareRevision = textAt(registers, firmwareRevisionOffset);
    info.ethernetFirmwareRevision = textAt(registers, ethernetFirmwareRevisionOffset);
    return info;
}

DigitalDeviceInfo decodeDigital(std::span<const uint16_t, digitalRegisters> registers) {
    DigitalDeviceInfo info;
    info.manufacturer = textAt(registers, manufacturerOffset);
    info.modelNumber = textAt(registers, modelNumberOffset);
    info.serialNumber = textAt(registers, serialNumberOffset);
    info.firmwareRevision = textAt(registers, firmwareRevisionOffset);
    return info;
}

bool supportsSecondaryTcp(const std::string& firmwareRevision) {
    for (const char* revision : singleInterfaceRevisions) {
        if (firmwareRevision == revision) {
            return false;
        }
    }
    return true;
}

} // namespace DeviceInfoCodec
