#pragma once

#include "device/FoundUnit.h"
#include "device/RtuUnitScan.h"
#include "device/TcpUnitScan.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One unit search at a time on a thread of its own, so that a window can show its progress
// from a timer and stay responsive. The window takes what changed with take().
class UnitSearch {
public:
    struct State {
        bool running = false;
        int done = 0;
        int total = 0;
        std::string step;
        int result = 0;               // of the last search: 0, or the error opening the port
        std::vector<FoundUnit> found; // units found since the last take()
    };

    UnitSearch() = default;
    ~UnitSearch(); // cancels a search under way and waits for it
    UnitSearch(const UnitSearch&) = delete;
    UnitSearch& operator=(const UnitSearch&) = delete;

    // Each returns false while another search runs.
    bool startRtu(const RtuUnitScan::Plan& plan);
    bool startTcp(const TcpUnitScan::Range& range, int jobs);
    // Asks the search to stop after the probe under way.
    void cancel() { cancelled_ = true; }
    bool running() const;
    State take();

private:
    class Listener;
    template <typename Search>
    bool start(Search search);
    void join();

    mutable std::mutex mutex_;
    State state_;
    std::atomic<bool> cancelled_{false};
    std::thread thread_;
};
