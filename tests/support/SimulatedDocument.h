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
