#pragma once

#include "device/CVtrConfigDoc.h"
#include "modbus/MbusError.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "sim/Simulator.h"

// A simulated unit on a loopback port and a document linked to it over Modbus TCP and
// refreshed: the document as the program has it after a connect.
class SimulatedDocument {
public:
    explicit SimulatedDocument(const SimProfile& profile = SimProfile::richDefault())
        : sim(profile) {
        if (sim.startTcp() != 0) {
            return;
        }
        master.setPort(sim.tcpPort());
        if (master.connectTo("127.0.0.1") != MBUS_SUCCESS) {
            return;
        }
        doc.link(&master);
        doc.refresh();
        linked = doc.isConnected() != 0;
    }
    ~SimulatedDocument() {
        doc.link(nullptr);
        master.closeLink();
        sim.stop();
    }
    SimulatedDocument(const SimulatedDocument&) = delete;
    SimulatedDocument& operator=(const SimulatedDocument&) = delete;

    bool ready() const { return linked; }

    // A unit with a few live channels: analog panel 0 with inputs on channels 0 and 3 and an
    // output on channel 1 (default 250), digital panel 0 with an input on channel 2 and an
    // output on channel 4 (default off); everything else vacant or absent.
    static SimProfile fewChannelsProfile() {
        SimProfile profile = SimProfile::minimal();
        profile.analogState.fill(SimProfile::Vacant);
        profile.analogState[0] = SimProfile::Input;
        profile.analogState[1] = SimProfile::Output;
        profile.analogState[3] = SimProfile::Input;
        profile.defaultOutput[1] = 250;
        for (auto& panel : profile.digitalPanels) {
            panel.fitted = false;
            panel.state.fill(SimProfile::Vacant);
            panel.defaultOutput.fill(0);
        }
        profile.digitalPanels[0].fitted = true;
        profile.digitalPanels[0].state[2] = SimProfile::Input;
        profile.digitalPanels[0].state[4] = SimProfile::Output;
        return profile;
    }

    class Document : public CVtrConfigDoc {
    public:
        void link(MbusMasterFunctions* open) { useOpenLink(open); }
    };

    Simulator sim;
    MbusTcpMasterProtocol master;
    Document doc;

private:
    bool linked = false;
};
