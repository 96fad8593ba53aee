#pragma once

#include "device/FoundUnit.h"

#include <string>

// What a unit search reports while it runs. The calls of one search never overlap, but they
// may come from a thread of the search's own.
class ScanListener {
public:
    virtual ~ScanListener() = default;
    // `done` of `total` probes are behind; `step` names the one under way.
    virtual void progress(int done, int total, const std::string& step) = 0;
    virtual void found(const FoundUnit& unit) = 0;
    // Asked before every probe: true ends the search there.
    virtual bool cancelled() { return false; }
};
