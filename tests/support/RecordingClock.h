#pragma once

#include "modbus/Clock.h"

#include <cstdint>
#include <vector>

// The master's clock in tests: every sleep is recorded and none is slept. Time is manual (now,
// moved on by each sleep), or the machine's when a test needs real silences on a line.
class RecordingClock final : public Clock {
public:
    enum class Time { Manual, Real };

    explicit RecordingClock(Time time = Time::Manual) : m_time(time) {}

    int64_t nowTicks() override {
        return m_time == Time::Real ? SystemClock::instance().nowTicks() : now;
    }
    void sleepMs(int64_t milliseconds) override {
        sleeps.push_back(milliseconds);
        if (m_time == Time::Manual) {
            now += milliseconds * ticksPerMs;
        }
    }

    int64_t now = 0;
    std::vector<int64_t> sleeps;

private:
    Time m_time;
};
