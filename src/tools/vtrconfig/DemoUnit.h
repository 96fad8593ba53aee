#pragma once

#include "sim/Simulator.h"

#include <memory>
#include <string>

class CVtrConfigDoc;

// The simulated unit behind `vtrconfig --demo`: served over Modbus TCP on a free loopback port
// from a thread of this process, so that every feature can be tried without hardware.
class DemoUnit {
public:
    // Loads the unit profile (empty: the rich default unit) and starts serving. False, with the
    // reason in failure, when the profile is refused or no port can be bound.
    bool start(const std::string& profilePath, std::string& failure);

    // Points the (untitled) document at the unit. The document stays unmodified: its link to
    // a port that lasts one run is nothing to save.
    void pointAt(CVtrConfigDoc& document) const;

    Simulator& simulator() { return *m_simulator; }

private:
    std::unique_ptr<Simulator> m_simulator;
};
