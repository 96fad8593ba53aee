#include "quickview/LiveChannel.h"

#include "device/CVtrConfigDoc.h"
#include "device/RegisterMap.h"
#include "modbus/MbusError.h"

#include <cstdio>

namespace {

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

} // namespace

int LiveChannel::reference(PanelKind kind, int panel, int channel) {
    const DeviceBlock block =
        kind == PanelKind::analog ? DeviceBlock::liveAnalogValue : DeviceBlock::liveDigitalValue;
    return RegisterMap::reference(
        static_cast<uint16_t>(RegisterMap::panelAddress(block, panel) + channel));
}

std::string LiveChannel::errorLine(int code) {
    return format("(%d, %-35.35s)", code, errorText(code));
}

std::string LiveChannel::read(CVtrConfigDoc& doc, PanelKind kind, int panel, ChannelEntry& entry,
                              bool hex) {
    const int ref = reference(kind, panel, entry.channel);
    if (kind == PanelKind::analog) {
        uint16_t value = 0;
        const int result = doc.readLiveRegister(ref, value);
        if (result != MBUS_SUCCESS) {
            return errorLine(result);
        }
        entry.value = static_cast<int16_t>(value);
        return format(hex ? "0x%04X" : "%d", static_cast<unsigned>(value));
    }
    int value = 0;
    const int result = doc.readLiveCoil(ref, value);
    if (result != MBUS_SUCCESS) {
        return errorLine(result);
    }
    entry.value = value;
    return format("%d", value);
}

int LiveChannel::write(CVtrConfigDoc& doc, PanelKind kind, int panel, ChannelEntry& entry,
                       uint16_t value) {
    const int ref = reference(kind, panel, entry.channel);
    const int result = kind == PanelKind::analog ? doc.writeLiveRegister(ref, value)
                                                 : doc.writeLiveCoil(ref, value);
    if (result == MBUS_SUCCESS) {
        entry.value = value;
    }
    return result;
}
