#pragma once

#include "device/RegisterMap.h"

#include <cstdint>
#include <span>

class MbusMasterFunctions;

// Moves one block of the unit, or one panel's or one channel's part of it, between the unit
// and a buffer of words or coils, with the Modbus function the register map gives the block.
// Every request goes to one slave through one master; without a master nothing is sent and
// the result is MBUS_ILLEGAL_STATE. A buffer that does not fit the block's transaction is
// refused with MBUS_ILLEGAL_ARGUMENT before anything is sent. Each transaction is one step of
// the busy flow under way (BusyFlow), so the master may work on another thread meanwhile.
class BlockTransfer {
public:
    BlockTransfer(MbusMasterFunctions* master, int slave) : master_(master), slave_(slave) {}

    // The block's read of `panel` (0 for blocks of the whole unit): count registers or coils.
    int read(DeviceBlock block, int panel, std::span<uint16_t> registers) const;
    int read(DeviceBlock block, int panel, std::span<int> coils) const;

    // Writes starting `channel` registers (or coils) into the panel's part: either the block's
    // whole write (writeCount values, with its write function) or a single value with its
    // single-channel function.
    int write(DeviceBlock block, int panel, int channel, std::span<const uint16_t> registers) const;
    int write(DeviceBlock block, int panel, int channel, std::span<const int> coils) const;

private:
    // The one-based reference of the first value, or 0 when the block has no function `function`
    // for `count` values.
    int reference(DeviceBlock block, int panel, int channel, size_t count, bool writing,
                  int function) const;
    // Why a request with `ref` cannot go out (0: it can).
    int refusal(int ref) const;

    MbusMasterFunctions* master_;
    int slave_;
};
