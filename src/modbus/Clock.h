#pragma once

#include <cstdint>

// The master's view of time: a wall clock in 100-ns units and a sleep. Poll spacing and the
// serial silence wait go through it so that tests can run them on a manual clock.
class Clock {
public:
    virtual ~Clock() = default;
    // Current wall-clock time, UTC, in 100-ns units since the Unix epoch.
    virtual int64_t nowTicks() = 0;
    virtual void sleepMs(int64_t milliseconds) = 0;

    static constexpr int64_t ticksPerMs = 10000;
};

// The real clock of the machine.
class SystemClock final : public Clock {
public:
    int64_t nowTicks() override;
    void sleepMs(int64_t milliseconds) override;

    static SystemClock& instance();
};
