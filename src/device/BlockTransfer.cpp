#include "device/BlockTransfer.h"

#include "modbus/MbusError.h"
#include "modbus/MbusMasterFunctions.h"
#include "ui/BusyFlow.h"

namespace {

// The function a write of `count` values uses: the block's write for its whole write count,
// its single-channel function for one value.
int writeFunctionFor(const RegisterBlock& row, size_t count) {
    if (row.writeFunction != 0 && count == static_cast<size_t>(row.writeCount)) {
        return row.writeFunction;
    }
    if (row.singleWriteFunction != 0 && count == 1) {
        return row.singleWriteFunction;
    }
    return 0;
}

} // namespace

int BlockTransfer::reference(DeviceBlock block, int panel, int channel, size_t count, bool writing,
                             int function) const {
    const RegisterBlock& row = RegisterMap::block(block);
    const int used = writing ? writeFunctionFor(row, count) : row.readFunction;
    if (used != function || (!writing && count != static_cast<size_t>(row.count))) {
        return 0;
    }
    return RegisterMap::reference(RegisterMap::panelAddress(block, panel)) + channel;
}

int BlockTransfer::refusal(int ref) const {
    if (ref == 0) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return master_ == nullptr ? MBUS_ILLEGAL_STATE : MBUS_SUCCESS;
}

int BlockTransfer::read(DeviceBlock block, int panel, std::span<uint16_t> registers) const {
    const int ref = reference(block, panel, 0, registers.size(), false, RegisterMap::fn4);
    if (const int refused = refusal(ref)) {
        return refused;
    }
    return BusyFlow::runStep([&] {
        return master_->readInputRegisters(slave_, ref, registers.data(),
                                           static_cast<int>(registers.size()));
    });
}

int BlockTransfer::read(DeviceBlock block, int panel, std::span<int> coils) const {
    const int ref = reference(block, panel, 0, coils.size(), false, RegisterMap::fn1);
    if (const int refused = refusal(ref)) {
        return refused;
    }
    return BusyFlow::runStep([&] {
        return master_->readCoils(slave_, ref, coils.data(), static_cast<int>(coils.size()));
    });
}

int BlockTransfer::write(DeviceBlock block, int panel, int channel,
                         std::span<const uint16_t> registers) const {
    const int ref = reference(block, panel, channel, registers.size(), true, RegisterMap::fn16);
    if (const int refused = refusal(ref)) {
        return refused;
    }
    return BusyFlow::runStep([&] {
        return master_->writeMultipleRegisters(slave_, ref, registers.data(),
                                               static_cast<int>(registers.size()));
    });
}

int BlockTransfer::write(DeviceBlock block, int panel, int channel,
                         std::span<const int> coils) const {
    const RegisterBlock& row = RegisterMap::block(block);
    const bool single = writeFunctionFor(row, coils.size()) == RegisterMap::fn5;
    const int ref = reference(block, panel, channel, coils.size(), true,
                              single ? RegisterMap::fn5 : RegisterMap::fn15);
    if (const int refused = refusal(ref)) {
        return refused;
    }
    return BusyFlow::runStep([&] {
        if (single) {
            return master_->writeSingleCoil(slave_, ref, coils[0]);
        }
        return master_->writeMultipleCoils(slave_, ref, coils.data(),
                                           static_cast<int>(coils.size()));
    });
}
