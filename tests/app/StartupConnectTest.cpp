#include "app/CVtrConfigApp.h"
#include "res/CommandIds.h"
#include "sim/Simulator.h"
#include "support/HeadlessUi.h"
#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

// A document that connects when opened, given on the command line, must not connect before
// the window is on the screen: the connect blocks for as long as the unit takes, and its status
// texts are the only sign of life meanwhile.
TEST(StartUp, AnAutoConnectDocumentConnectsOnceTheWindowIsShown) {
    HeadlessUi ui;
    ScratchFolder folder;
    const ScopedEnv configHome("XDG_CONFIG_HOME", folder.path().c_str());
    Simulator unit(SimProfile::richDefault());
    ASSERT_EQ(unit.startTcp(), 0);
    const std::string path = folder.file("unit.vtr");
    {
        CVtrConfigApp app;
        std::string failure;
        ASSERT_TRUE(app.start({}, failure));
        ConnectOptions options;
        options.protocol = ConnectOptions::modbusTcp;
        options.server = "127.0.0.1";
        options.tcpPort = unit.tcpPort();
        app.document().setConnectOptions(options);
        app.document().setAutoConnect(1);
        ASSERT_TRUE(app.document().DoSave(path));
    }
    CVtrConfigApp app;
    int connects = 0;
    bool shownFirst = false;
    app.setStartupConnect([&](std::function<void()> connect) {
        ++connects;
        shownFirst = app.mainWindow().IsWindowVisible();
        connect();
    });
    std::string failure;
    ASSERT_TRUE(app.start({path}, failure)) << failure;
    EXPECT_EQ(connects, 1);
    EXPECT_TRUE(shownFirst);
    EXPECT_NE(app.document().isConnected(), 0);
    EXPECT_EQ(app.mainWindow().GetMenu().find(ID_CONNECT)->text, "&Refresh Data\tF4");
}
