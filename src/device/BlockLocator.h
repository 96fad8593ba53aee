#pragma once

#include "device/RegisterMap.h"

#include <cstdint>
#include <optional>

// Where a transaction lies in the unit's register map: the block whose addresses (of any of
// its panels) hold `address` and that is read or written with `function`.
struct BlockSpot {
    const RegisterBlock* block;
    // Registers or coils from the block's address (that of panel 0's part).
    int offset;
};

namespace BlockLocator {
std::optional<BlockSpot> locate(int function, uint16_t address);
// How many registers or coils of the unit the block spans, all its panels together.
int extent(const RegisterBlock& block);
} // namespace BlockLocator
