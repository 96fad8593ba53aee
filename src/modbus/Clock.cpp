#include "modbus/Clock.h"

#include <chrono>
#include <thread>

int64_t SystemClock::nowTicks() {
    using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;
    return std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void SystemClock::sleepMs(int64_t milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

SystemClock& SystemClock::instance() {
    static SystemClock clock;
    return clock;
}
