#pragma once

#include <string>

// The identity of one digital panel: four text fields of at most 16 characters.
struct DigitalDeviceInfo {
    std::string manufacturer;
    std::string modelNumber;
    std::string serialNumber;
    std::string firmwareRevision;

    bool operator==(const DigitalDeviceInfo&) const = default;
};
