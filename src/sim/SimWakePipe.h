#pragma once

// A self-pipe that wakes a serving thread out of poll() when the simulator stops.
class SimWakePipe {
public:
    SimWakePipe() = default;
    ~SimWakePipe();
    SimWakePipe(const SimWakePipe&) = delete;
    SimWakePipe& operator=(const SimWakePipe&) = delete;

    int open(); // 0 or an errno
    void notify();
    bool notified() const; // the pipe holds a wake-up (it is never drained)
    int fd() const { return fds_[0]; }
    // Sleeps up to `milliseconds`; returns true at once when woken.
    bool sleepMs(int milliseconds) const;

private:
    int fds_[2] = {-1, -1};
};
