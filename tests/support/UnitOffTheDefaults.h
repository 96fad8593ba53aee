#pragma once

#include "sim/SimProfile.h"

// A unit set away from every default of a search: 9600 baud, odd parity, slave 0x25.
inline SimProfile unitOffTheDefaults() {
    SimProfile profile = SimProfile::richDefault();
    profile.baudIndex = 3;   // 9600
    profile.parityIndex = 1; // odd
    profile.slaveAddress = 0x25;
    return profile;
}
