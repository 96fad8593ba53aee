#include "app/CMainFrame.h"
#include "device/CVtrConfigDoc.h"
#include "modbus/ComPortName.h"
#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "sim/Simulator.h"
#include "support/ComPortAlias.h"
#include "support/HeadlessUi.h"
#include "support/UnitOffTheDefaults.h"
#include "ui/DialogDriver.h"
#include "ui/UiConstants.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// The search runs on a thread of its own in real time; the window's timer on the backend's
// clock. Lets both run until the search is over.
bool waitForSearch(DialogDriver& user) {
    for (int step = 0; step < 500; ++step) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        user.advance(CFindUnitDlg::pollMs);
        if (user.enabled(IDC_FIND_SEARCH_TCP)) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(FindUnit, AUnitChosenAmongThoseFoundOnTheNetworkIsConnected) {
    HeadlessUi ui;
    SimProfile second = SimProfile::richDefault();
    second.identity.serialNumber = "VT3-2";
    Simulator first;
    Simulator other(second);
    ASSERT_EQ(first.startTcp("127.0.0.35", 0), 0);
    const std::string port = std::to_string(first.tcpPort());
    ASSERT_EQ(other.startTcp("127.0.0.32", first.tcpPort()), 0);

    CVtrConfigDoc doc;
    CMainFrame frame(doc);
    ASSERT_TRUE(frame.create());
    frame.ShowWindow(SW_SHOW);
    ASSERT_TRUE(frame.userCommand(ID_FIND_UNIT));
    CFindUnitDlg& dialog = frame.findUnitDialog();
    ASSERT_TRUE(dialog.IsWindowVisible());
    DialogDriver user(ui.backend, dialog);
    EXPECT_EQ(user.text(IDC_FIND_DEVICE), "COM1");
    EXPECT_EQ(user.text(IDC_FIND_ADDRESSES), "192.168.1.1-254:502");

    user.type(IDC_FIND_ADDRESSES, "127.0.0.30-39:" + port);
    user.click(IDC_FIND_SEARCH_TCP);
    EXPECT_TRUE(user.enabled(IDC_FIND_CANCEL));
    ASSERT_TRUE(waitForSearch(user));
    EXPECT_EQ(user.text(IDC_FIND_PROGRESS), "2 units found.");
    const std::string firmware = "\t" + second.identity.firmwareRevision;
    EXPECT_EQ(
        user.items(IDC_FIND_RESULTS),
        (std::vector<std::string>{"127.0.0.32:" + port + "\t\t\t1\tVT3-2" + firmware,
                                  "127.0.0.35:" + port + "\t\t\t1\t" +
                                      SimProfile::richDefault().identity.serialNumber + firmware}));
    EXPECT_FALSE(user.enabled(IDOK));

    user.select(IDC_FIND_RESULTS, 0);
    user.click(IDOK);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(doc.getConnectOptions().protocol, ConnectOptions::modbusTcp);
    EXPECT_EQ(doc.getConnectOptions().server, "127.0.0.32");
    EXPECT_EQ(doc.isConnected(), 1);
    EXPECT_EQ(doc.getDeviceInfo().serialNumber, "VT3-2");
}

TEST(FindUnit, AUnitFoundOnASerialLineIsConnectedThroughANewCOMAlias) {
    HeadlessUi ui;
    ComPortAlias settings;
    const SimProfile profile = unitOffTheDefaults();
    Simulator sim(profile);
    ASSERT_EQ(sim.startRtuPty(), 0);

    CVtrConfigDoc doc;
    CMainFrame frame(doc);
    ASSERT_TRUE(frame.create());
    frame.ShowWindow(SW_SHOW);
    ASSERT_TRUE(frame.userCommand(ID_FIND_UNIT));
    DialogDriver user(ui.backend, frame.findUnitDialog());
    user.type(IDC_FIND_DEVICE, sim.rtuDevicePath());
    user.type(IDC_FIND_SLAVES, "0x25");
    user.click(IDC_FIND_SEARCH_RTU);
    ASSERT_TRUE(waitForSearch(user));
    ASSERT_EQ(user.items(IDC_FIND_RESULTS),
              (std::vector<std::string>{sim.rtuDevicePath() + "\t9600\tOdd\t37\t" +
                                        profile.identity.serialNumber + "\t" +
                                        profile.identity.firmwareRevision}));

    user.select(IDC_FIND_RESULTS, 0);
    user.click(IDOK);
    const ConnectOptions& options = doc.getConnectOptions();
    EXPECT_EQ(options.protocol, ConnectOptions::modbusRtu);
    EXPECT_EQ(comPortDevicePath(options.comPortName()),
              userSettingsFolder() + "/COM" + std::to_string(options.comPort));
    EXPECT_EQ(options.slaveId, 0x25);
    EXPECT_EQ(options.baudIndex, 3);
    EXPECT_EQ(options.parityIndex, 1);
    EXPECT_EQ(doc.isConnected(), 1);
}

TEST(FindUnit, CancelEndsTheSearchAfterTheProbeUnderWay) {
    HeadlessUi ui;
    Simulator silent;
    ASSERT_EQ(silent.startRtuPty(), 0);
    silent.faults().setSilent(true);
    CFindUnitDlg dialog;
    dialog.SetData(ConnectOptions{}, nullptr);
    ASSERT_TRUE(dialog.Create());
    DialogDriver user(ui.backend, dialog);
    user.type(IDC_FIND_DEVICE, silent.rtuDevicePath());
    user.click(IDC_FIND_SEARCH_RTU);
    user.click(IDC_FIND_CANCEL);
    ASSERT_TRUE(waitForSearch(user));
    EXPECT_EQ(user.text(IDC_FIND_PROGRESS), "0 units found.");
    EXPECT_FALSE(user.enabled(IDC_FIND_CANCEL));
    EXPECT_TRUE(user.enabled(IDC_FIND_SEARCH_RTU));
}

TEST(FindUnit, ADeviceWithoutACOMNumberGetsAnAliasOnce) {
    ComPortAlias settings;
    Simulator sim;
    ASSERT_EQ(sim.startRtuPty(), 0);
    std::string problem;
    const int number = comPortFor(sim.rtuDevicePath(), problem);
    ASSERT_GT(number, 0) << problem;
    EXPECT_EQ(comPortDevicePath("COM" + std::to_string(number)),
              userSettingsFolder() + "/COM" + std::to_string(number));
    EXPECT_EQ(comPortFor(sim.rtuDevicePath(), problem), number);
    EXPECT_EQ(comPortFor("\\\\.\\COM12", problem), 12);
    EXPECT_EQ(comPortFor("/nonexistent/ttyUSB9", problem), 0);
}
