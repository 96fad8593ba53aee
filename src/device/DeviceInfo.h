#pragma once

#include <string>

// The unit's identity ("Device Information"): five text fields of at most 16 characters.
struct DeviceInfo {
    std::string manufacturer;
    std::string modelNumber;
    std::string serialNumber;
    std::string firmwareRevision;
    std::string ethernetFirmwareRevision;

    bool operator==(const DeviceInfo&) const = default;
};
