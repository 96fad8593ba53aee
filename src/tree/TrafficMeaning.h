#pragma once

#include "device/RegisterMap.h"
#include "device/TrafficEntry.h"

#include <string>

// What a transaction with the unit meant, in the configuration tree's words: the block it
// touched and, where it carried the block's values, each field decoded by the block's codec
// ("TCP Configuration: IP Address = 192.168.1.50, Subnet Mask = ..."). A read that brought no
// reply is named by its block only; a write shows what it asked for, whatever the answer.
// Empty for an address outside the unit's register map.
namespace TrafficMeaning {
std::string describe(const TrafficEntry& entry, int hex);
// The block's name: its label in the register map, or a name of its own for the blocks the
// program's messages never name (the communication check, the resets, the live values).
const char* blockName(DeviceBlock block);
} // namespace TrafficMeaning
