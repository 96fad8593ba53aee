#pragma once

#include "DeviceTestSupport.h"

#include "sim/Simulator.h"
#include "support/ComPortAlias.h"
#include "ui/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <string>

enum class Link { tcp, rtu };

inline std::string linkName(const ::testing::TestParamInfo<Link>& info) {
    return info.param == Link::tcp ? "OverTcp" : "OverRtu";
}

// A simulated unit and the document connected to it by its own connect options, over a
// loopback socket or a pseudo-terminal named by a COM port alias.
class LinkedUnit {
public:
    LinkedUnit(Link link, const SimProfile& profile) : sim(profile) {
        ConnectOptions options;
        if (link == Link::tcp) {
            started = sim.startTcp() == 0;
            options.protocol = ConnectOptions::modbusTcp;
            options.server = "127.0.0.1";
            options.tcpPort = sim.tcpPort();
        } else {
            started = sim.startRtuPty() == 0 && alias.point(sim.rtuDevicePath());
            options.protocol = ConnectOptions::modbusRtu;
            options.comPort = ComPortAlias::port;
            options.slaveId = profile.slaveAddress;
            options.baudIndex = 4; // 19200
            options.parityIndex = 2;
        }
        doc.setConnectOptions(options);
        connected = started && doc.connect() == 1;
    }
    ~LinkedUnit() {
        doc.disconnect();
        sim.stop();
    }

    bool ready() const { return connected; }

    // A refresh that reports nothing.
    void readAll() {
        doc.refresh();
        ASSERT_TRUE(ui.messageBoxes().empty()) << ui.messageBoxes()[0].text;
        ASSERT_EQ(doc.isConnected(), 1);
    }

    HeadlessBackend ui;
    ScopedBackend uiScope{ui};
    ComPortAlias alias;
    Simulator sim;
    LinkedDoc doc;
    bool started = false;
    bool connected = false;
};
