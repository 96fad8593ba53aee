#pragma once

#include <cstdint>

// The live inputs of the simulated unit: slow, repeatable waveforms drawn from a seed, so that
// a test that fixes the step knows every value in advance. Each channel gets its own period,
// phase and amplitude.
class SimWaveform {
public:
    // Analog input counts, 12-bit like the unit's converters: a triangle wave around mid-scale.
    static uint16_t analog(uint32_t seed, int channelId, uint32_t step);
    // Digital inputs toggle every few seconds, each channel at its own pace.
    static bool digital(uint32_t seed, int channelId, uint32_t step);

    // Number of steps over which the unit keeps its average, maximum and minimum.
    static constexpr uint32_t statisticsWindow = 16;
    struct Statistics {
        uint16_t average;
        uint16_t maximum;
        uint16_t minimum;
    };
    static Statistics analogStatistics(uint32_t seed, int channelId, uint32_t step);
};
