#include "device/BlockLocator.h"

#include "device/PanelLayout.h"

#include <algorithm>

namespace BlockLocator {

namespace {

// The map gives the step from one panel to the next; the number of panels follows from the
// side of the unit the block belongs to.
int panels(const RegisterBlock& block) {
    switch (block.id) {
    case DeviceBlock::analogChannelStates:
    case DeviceBlock::analogInputOptions:
    case DeviceBlock::analogOutputOptions:
    case DeviceBlock::liveAnalogValue:
        return PanelLayout::analogPanels;
    case DeviceBlock::digitalDeviceInformation:
    case DeviceBlock::digitalChannelStates:
    case DeviceBlock::digitalOutputOptions:
    case DeviceBlock::resetDigitalPanel:
    case DeviceBlock::liveDigitalValue:
        return PanelLayout::digitalPanels;
    default:
        return 1;
    }
}

bool usesFunction(const RegisterBlock& block, int function) {
    return function != 0 && (function == block.readFunction || function == block.writeFunction ||
                             function == block.singleWriteFunction);
}

} // namespace

int extent(const RegisterBlock& block) {
    return std::max(block.count, panels(block) * block.panelStride);
}

std::optional<BlockSpot> locate(int function, uint16_t address) {
    for (const RegisterBlock& block : RegisterMap::blocks) {
        const int offset = address - block.address;
        if (usesFunction(block, function) && offset >= 0 && offset < extent(block)) {
            return BlockSpot{&block, offset};
        }
    }
    return std::nullopt;
}

} // namespace BlockLocator
