#include "device/DeviceImage.h"

namespace {

template <typename T>
void clear(Flagged<T>& entry) {
    entry.valid = 0;
}

void clear(int32_t& flag) {
    flag = 0;
}

template <typename T, size_t N>
void clear(std::array<T, N>& entries) {
    for (auto& entry : entries) {
        clear(entry);
    }
}

} // namespace

void DeviceImage::clearValidity() {
    clear(rtuConfig);
    clear(tcpConfig);
    clear(scanMode);
    clear(scanParameters);
    clear(analogChannelState);
    clear(averageWeightIndex);
    clear(defaultOutput);
    clear(digitalPanelPresent);
    clear(digitalDeviceInfo);
    clear(digitalChannelState);
    clear(digitalDefaultOutput);
}
