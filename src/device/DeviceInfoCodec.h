#pragma once

#include "device/DeviceInfo.h"
#include "device/DigitalDeviceInfo.h"
#include "device/RegisterMap.h"

#include <cstdint>
#include <span>
#include <string>

// Decodes the identity blocks of the unit and of its digital panels.
namespace DeviceInfoCodec {
constexpr int deviceRegisters = RegisterMap::count(DeviceBlock::deviceInformation);
constexpr int digitalRegisters = RegisterMap::count(DeviceBlock::digitalDeviceInformation);

DeviceInfo decode(std::span<const uint16_t, deviceRegisters> registers);
DigitalDeviceInfo decodeDigital(std::span<const uint16_t, digitalRegisters> registers);

// Units with the firmware revisions KX5120-01AR and KX5120-02AR have one Ethernet interface
// only; every other revision has the secondary one ("TCP Configuration 2").
bool supportsSecondaryTcp(const std::string& firmwareRevision);
} // namespace DeviceInfoCodec
