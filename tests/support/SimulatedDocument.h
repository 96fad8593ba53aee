#pragma once

#include "device/CVtrConfigDoc.h"
#include "modbus/MbusError.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "sim/Simulator.h"

// A simulated unit on a loopback port and a document linked to it over Modbus TCP, with every
// block read as a refresh reads them: the document as the program has it after a connect.
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
        linked = true;
        refreshed = readEveryBlock() == MBUS_SUCCESS;
    }
    ~SimulatedDocument() {
        doc.link(nullptr);
        master.closeLink();
        sim.stop();
    }
    SimulatedDocument(const SimulatedDocument&) = delete;
    SimulatedDocument& operator=(const SimulatedDocument&) = delete;

    bool ready() const { return linked && refreshed; }

    class Document : public CVtrConfigDoc {
    public:
        void link(MbusMasterFunctions* open) { useOpenLink(open); }
    };

    Simulator sim;
    MbusTcpMasterProtocol master;
    Document doc;

private:
    int readEveryBlock() {
        int (CVtrConfigDoc::*const reads[])() = {
            &CVtrConfigDoc::checkCommunication,       &CVtrConfigDoc::readStatusRegister,
            &CVtrConfigDoc::readDeviceInformation,    &CVtrConfigDoc::readDigitalPanelBypass,
            &CVtrConfigDoc::readRtuConfiguration,     &CVtrConfigDoc::readScanMode,
            &CVtrConfigDoc::readAnalogChannelStates,  &CVtrConfigDoc::readAnalogInputOptions,
            &CVtrConfigDoc::readAnalogOutputOptions,  &CVtrConfigDoc::readDigitalDeviceInformation,
            &CVtrConfigDoc::readDigitalChannelStates, &CVtrConfigDoc::readDigitalOutputOptions,
        };
        for (const auto read : reads) {
            if (const int result = (doc.*read)(); result != MBUS_SUCCESS) {
                return result;
            }
        }
        return MBUS_SUCCESS;
    }

    bool linked = false;
    bool refreshed = false;
};
