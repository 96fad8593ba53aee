#include "device/DeviceImage.h"

namespace {

template <typename Grid>
void clearGrid(Grid& grid) {
    for (auto& row : grid) {
        row.fill(0);
    }
}

} // namespace

void DeviceImage::clearValidity() {
    rtuConfigValid = 0;
    tcpConfigValid.fill(0);
    scanModeValid = 0;
    scanParametersValid = 0;
    analogStatesValid.fill(0);
    clearGrid(averageWeightValid);
    clearGrid(defaultOutputValid);
    digitalPanelPresent.fill(0);
    digitalDeviceInfoValid.fill(0);
    digitalStatesValid.fill(0);
    clearGrid(digitalOutputValid);
}
