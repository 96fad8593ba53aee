#include "app/UnitSearch.h"

#include "device/ScanListener.h"

class UnitSearch::Listener : public ScanListener {
public:
    explicit Listener(UnitSearch& search) : search_(search) {}
    void progress(int done, int total, const std::string& step) override {
        const std::lock_guard lock(search_.mutex_);
        search_.state_.done = done;
        search_.state_.total = total;
        search_.state_.step = step;
    }
    void found(const FoundUnit& unit) override {
        const std::lock_guard lock(search_.mutex_);
        search_.state_.found.push_back(unit);
    }
    bool cancelled() override { return search_.cancelled_; }

private:
    UnitSearch& search_;
};

UnitSearch::~UnitSearch() {
    cancel();
    join();
}

void UnitSearch::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

template <typename Search>
bool UnitSearch::start(Search search) {
    if (running()) {
        return false;
    }
    join();
    cancelled_ = false;
    {
        const std::lock_guard lock(mutex_);
        state_ = State{};
        state_.running = true;
    }
    thread_ = std::thread([this, search] {
        Listener listener(*this);
        std::vector<FoundUnit> found;
        const int result = search(listener, found);
        const std::lock_guard lock(mutex_);
        state_.result = result;
        state_.running = false;
    });
    return true;
}

bool UnitSearch::startRtu(const RtuUnitScan::Plan& plan) {
    return start([plan](ScanListener& listener, std::vector<FoundUnit>& found) {
        return RtuUnitScan::run(plan, listener, found);
    });
}

bool UnitSearch::startTcp(const TcpUnitScan::Range& range, int jobs) {
    return start([range, jobs](ScanListener& listener, std::vector<FoundUnit>& found) {
        TcpUnitScan::run(range, jobs, listener, found);
        return 0;
    });
}

bool UnitSearch::running() const {
    const std::lock_guard lock(mutex_);
    return state_.running;
}

UnitSearch::State UnitSearch::take() {
    const std::lock_guard lock(mutex_);
    State taken = state_;
    state_.found.clear();
    return taken;
}
