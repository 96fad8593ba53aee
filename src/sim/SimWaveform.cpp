#include "sim/SimWaveform.h"

#include <algorithm>

namespace {

// A well-mixed 32-bit value from seed, channel and a salt, so that channels differ.
uint32_t mix(uint32_t seed, int channelId, uint32_t salt) {
    uint64_t x = (uint64_t{seed} << 32) ^ (static_cast<uint64_t>(channelId) << 8) ^ salt;
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>(x ^ (x >> 31));
}

constexpr uint32_t midScale = 2048;

} // namespace

uint16_t SimWaveform::analog(uint32_t seed, int channelId, uint32_t step) {
    const uint32_t halfPeriod = 150 + mix(seed, channelId, 1) % 150; // 15 to 30 s at 100 ms
    const uint32_t phase = mix(seed, channelId, 2) % (2 * halfPeriod);
    const uint32_t amplitude = 300 + mix(seed, channelId, 3) % 1500;
    const uint32_t position = static_cast<uint32_t>((uint64_t{step} + phase) % (2 * halfPeriod));
    const uint32_t rise = position < halfPeriod ? position : 2 * halfPeriod - position;
    return static_cast<uint16_t>(midScale - amplitude + 2 * amplitude * rise / halfPeriod);
}

bool SimWaveform::digital(uint32_t seed, int channelId, uint32_t step) {
    const uint32_t period = 20 + mix(seed, channelId, 4) % 80; // 2 to 10 s at 100 ms
    const uint32_t phase = mix(seed, channelId, 5) % (2 * period);
    return ((uint64_t{step} + phase) / period) % 2 == 1;
}

SimWaveform::Statistics SimWaveform::analogStatistics(uint32_t seed, int channelId, uint32_t step) {
    const uint32_t samples = std::min(statisticsWindow, step + 1);
    uint32_t sum = 0;
    uint16_t maximum = 0;
    uint16_t minimum = 0xFFFF;
    for (uint32_t back = 0; back < samples; ++back) {
        const uint16_t value = analog(seed, channelId, step - back);
        sum += value;
        maximum = std::max(maximum, value);
        minimum = std::min(minimum, value);
    }
    return {static_cast<uint16_t>(sum / samples), maximum, minimum};
}
