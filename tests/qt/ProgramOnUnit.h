#pragma once

#include "app/CVtrConfigApp.h"
#include "device/ConnectOptions.h"
#include "sim/Simulator.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

// The document's link: Modbus TCP to the simulated unit.
inline void pointAtUnit(CVtrConfigDoc& document, const Simulator& unit) {
    ConnectOptions options = document.getConnectOptions();
    options.protocol = ConnectOptions::modbusTcp;
    options.server = "127.0.0.1";
    options.tcpPort = unit.tcpPort();
    document.setConnectOptions(options);
}

// The program as a user starts it, with its settings in a scratch folder, its document pointed
// at a simulated unit; connected by connect(). Install the backend (a UiUser) first.
struct ProgramOnUnit {
    ProgramOnUnit() {
        std::string failure;
        EXPECT_EQ(unit.startTcp(), 0);
        started = app.start({}, failure);
        EXPECT_TRUE(started) << failure;
        pointAtUnit(app.document(), unit);
    }
    bool connect() {
        app.mainWindow().OnConnect();
        return started && app.document().isConnected() != 0;
    }

    ScratchFolder folder;
    ScopedEnv configHome{"XDG_CONFIG_HOME", folder.path().c_str()};
    Simulator unit;
    CVtrConfigApp app;
    bool started = false;
};
