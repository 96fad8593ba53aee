#include "LinkedUnit.h"

#include "device/ChannelState.h"
#include "device/ConfigureMessages.h"
#include "modbus/MbusError.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/DialogDriver.h"
#include "ui/UiConstants.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A transaction as the unit saw it: function, first address, count.
using Request = std::tuple<int, uint16_t, uint16_t>;

std::vector<Request> requestsOf(const Simulator& sim) {
    std::vector<Request> requests;
    for (const SimRequestLogEntry& entry : sim.requestLog()) {
        requests.emplace_back(entry.function, entry.address, entry.count);
    }
    return requests;
}

constexpr int fn4 = 4;
constexpr int fn5 = 5;
constexpr int fn15 = 15;
constexpr int fn16 = 16;

TcpConfig someInterface() {
    TcpConfig config;
    config.ipAddress = {10, 1, 2, 3};
    config.subnetMask = {255, 255, 0, 0};
    config.gateway = {10, 1, 0, 1};
    config.keepaliveMs = 1500;
    return config;
}

ScanParameters someScan() {
    ScanParameters parameters;
    parameters.scanIntervalMs = 40;
    parameters.scanCount = 2;
    parameters.scanList = {5, 17, ScanParameters::endOfList};
    parameters.scanListLength = 2;
    return parameters;
}

template <typename T>
DeviceImage::PerChannel<T> filled(T value) {
    DeviceImage::PerChannel<T> values{};
    values.fill(value);
    return values;
}

struct WriteCase {
    const char* name;
    std::function<void(CVtrConfigDoc&)> write;
    std::vector<Request> requests;
    const char* failureLabel;
    // A failed write of a whole panel's options changes nothing and redraws nothing.
    bool viewsUpdateOnFailure;
    std::function<void(const CVtrConfigDoc&)> expectStored;
};

constexpr const char* tcpCase = "tcp interface";

const WriteCase writeCases[] = {
    {tcpCase,
     [](CVtrConfigDoc& d) { d.writeTcpConfiguration(1, someInterface()); },
     {{fn16, 0x1120, 7}},
     "Modbus TCP Parameters",
     true,
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(d.getTcpConfig(1)->ipAddress, someInterface().ipAddress);
         EXPECT_EQ(d.getTcpConfig(1)->subnetMask, someInterface().subnetMask);
         EXPECT_EQ(d.getTcpConfig(1)->gateway, someInterface().gateway);
         EXPECT_EQ(d.getTcpConfig(1)->keepaliveMs, 1500);
         EXPECT_NE(d.getTcpConfig(1)->tcpPort, 0); // the unit's own, kept
     }},
    {"scan mode continuous",
     [](CVtrConfigDoc& d) { d.writeScanMode(0); },
     {{fn16, 0x1204, 1}},
     "Analog Scan Mode",
     true,
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(*d.getScanMode(), 0);
         EXPECT_NE(d.getScanParameters(), nullptr);
     }},
    {"scan mode user-defined re-reads the scan parameters",
     [](CVtrConfigDoc& d) { d.writeScanMode(1); },
     {{fn16, 0x1204, 1}, {fn4, 0x1300, 67}},
     "Analog Scan Mode",
     true,
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(*d.getScanMode(), 1);
         ASSERT_NE(d.getScanParameters(), nullptr);
     }},
    {"scan parameters",
     [](CVtrConfigDoc& d) { d.writeScanParameters(someScan()); },
     {{fn16, 0x1300, 67}},
     "User-Defined Scan Parameters",
     true,
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getScanParameters(), someScan()); }},
    {"average weights of a panel",
     [](CVtrConfigDoc& d) { d.writeAverageWeights(1, filled<uint16_t>(6)); },
     {{fn16, 0x2210, 16}},
     "Analog Input Options",
     false,
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getAverageWeightIndex(1, 15), 6); }},
    {"one average weight",
     [](CVtrConfigDoc& d) { d.writeAverageWeight(2, 15, 4); },
     {{fn16, 0x222F, 1}},
     "Analog Input Options",
     true,
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getAverageWeightIndex(2, 15), 4); }},
    {"default outputs of a panel",
     [](CVtrConfigDoc& d) { d.writeDefaultOutputs(3, filled<int16_t>(-7)); },
     {{fn16, 0x2130, 16}},
     "Analog Output Options",
     false,
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getDefaultOutput(3, 9), -7); }},
    {"one default output",
     [](CVtrConfigDoc& d) { d.writeDefaultOutput(0, 9, 1234); },
     {{fn16, 0x2109, 1}},
     "Analog Output Options",
     true,
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getDefaultOutput(0, 9), 1234); }},
    {"digital channel states",
     [](CVtrConfigDoc& d) { d.writeDigitalChannelStates(1, filled<int16_t>(ChannelState::input)); },
     {{fn16, 0x8010, 16}},
     "Digital Channel States",
     true,
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(*d.getDigitalChannelState(1, 4), ChannelState::input);
     }},
    {"digital outputs of a panel",
     [](CVtrConfigDoc& d) { d.writeDigitalOutputs(1, filled<int32_t>(1)); },
     {{fn15, 0x8110, 16}},
     "Digital Output Options",
     false,
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getDigitalDefaultOutput(1, 0), 1); }},
    {"one digital output",
     [](CVtrConfigDoc& d) { d.writeDigitalOutput(1, 3, 1); },
     {{fn5, 0x8113, 1}},
     "Digital Output Options",
     true,
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getDigitalDefaultOutput(1, 3), 1); }},
};

class ConfigureOnSimulator : public ::testing::TestWithParam<Link> {
protected:
    // Connected and read; the request log then holds only what the test does.
    void SetUp() override {
        ASSERT_TRUE(unit.ready());
        ASSERT_NO_FATAL_FAILURE(unit.readAll());
        unit.sim.clearRequestLog();
        unit.doc.viewUpdates = 0;
    }
    // Every message box was expected and answered.
    void TearDown() override {
        EXPECT_EQ(unit.ui.problems(), std::vector<std::string>{});
        EXPECT_EQ(unit.ui.pendingAnswers(), 0u);
    }

    // A refresh in which the unit refuses the blocks from first to last, which stay stale.
    void refreshRefusing(uint16_t first, uint16_t last) {
        unit.sim.faults().addException(first, last, 4);
        unit.ui.answerMessageBox(IDOK); // the read error
        unit.doc.refresh();
        unit.sim.faults().clearExceptions();
        unit.sim.clearRequestLog();
        unit.doc.viewUpdates = 0;
    }

    const char* tcpConfirmation() const {
        return ConfigureMessages::interfaceConfirmation(ConfigureMessages::Interface::tcp,
                                                        unit.doc.getConnectOptions().protocol);
    }

    LinkedUnit unit{GetParam(), SimProfile::richDefault()};
};

TEST_P(ConfigureOnSimulator, EachWriteSendsItsTransactionsAndStoresWhatTheUnitAccepted) {
    for (const WriteCase& c : writeCases) {
        SCOPED_TRACE(c.name);
        if (c.name == tcpCase) {
            unit.ui.answerMessageBox(IDOK);
        }
        unit.sim.clearRequestLog();
        unit.doc.viewUpdates = 0;
        c.write(unit.doc);
        EXPECT_EQ(requestsOf(unit.sim), c.requests);
        EXPECT_EQ(unit.doc.viewUpdates, 1);
        c.expectStored(unit.doc);
    }
    ASSERT_EQ(unit.ui.messageBoxes().size(), 1u);
    EXPECT_EQ(unit.ui.messageBoxes()[0].text, tcpConfirmation());
    EXPECT_EQ(unit.doc.isConnected(), 1);
}

TEST_P(ConfigureOnSimulator, AWriteTheUnitRefusesLeavesTheImageAndSaysWhatFailed) {
    for (const WriteCase& c : writeCases) {
        SCOPED_TRACE(c.name);
        if (c.name == tcpCase) {
            unit.ui.answerMessageBox(IDOK);
        }
        unit.ui.answerMessageBox(IDOK); // the configure error
        const auto& [function, address, count] = c.requests.front();
        unit.sim.faults().addException(address, static_cast<uint16_t>(address + count - 1), 4);
        const DeviceImage before = unit.doc.image();
        const size_t boxes = unit.ui.messageBoxes().size();
        unit.doc.viewUpdates = 0;

        c.write(unit.doc);
        unit.sim.faults().clearExceptions();

        EXPECT_EQ(unit.doc.image(), before);
        EXPECT_EQ(unit.doc.viewUpdates, c.viewsUpdateOnFailure ? 1 : 0);
        ASSERT_EQ(unit.ui.messageBoxes().size(), boxes + 1 + (c.name == tcpCase ? 1 : 0));
        const auto& box = unit.ui.messageBoxes().back();
        EXPECT_EQ(box.caption, "Configure Error");
        EXPECT_EQ(box.text, "Failed to configure " + std::string(c.failureLabel) +
                                "!\n\nError code: 164, " +
                                CVtrConfigDoc::describeError(MBUS_SLAVE_DEVICE_FAILURE));
        EXPECT_EQ(box.style, MB_OK | MB_ICONERROR | MB_TASKMODAL);
        EXPECT_EQ(box.owner, nullptr);
    }
}

TEST_P(ConfigureOnSimulator, InterfaceWritesAskByTheLinksProtocolAndCancelWritesNothing) {
    const bool overRtu = GetParam() == Link::rtu;
    unit.ui.answerMessageBox(IDCANCEL);
    unit.ui.answerMessageBox(IDCANCEL);
    unit.doc.writeRtuConfiguration({0x30, 1, 3, 0});
    unit.doc.writeTcpConfiguration(0, someInterface());

    EXPECT_TRUE(unit.sim.requestLog().empty());
    EXPECT_EQ(unit.doc.viewUpdates, 0);
    EXPECT_EQ(unit.doc.isConnected(), 1);
    ASSERT_EQ(unit.ui.messageBoxes().size(), 2u);
    const auto& rtu = unit.ui.messageBoxes()[0];
    EXPECT_EQ(rtu.style, MB_OKCANCEL);
    EXPECT_EQ(rtu.caption, loadString(IDS_APP_TITLE));
    EXPECT_EQ(rtu.text.substr(0, 60),
              overRtu ? "Changes to the Modbus RTU interface will take affect immedia"
                      : "Changes to the Modbus RTU interface will take place the next");
    EXPECT_EQ(unit.ui.messageBoxes()[1].text.substr(0, 60),
              overRtu ? "Changes to the Modbus TCP interface will take place the next"
                      : "Changes to the Modbus TCP interface will take affect on the ");
}

TEST_P(ConfigureOnSimulator, RtuWriteCarriesTheNewSettingsIntoTheConnectOptions) {
    SimProfile profile = SimProfile::richDefault();
    profile.slaveAddress = 0x25;
    LinkedUnit unit(GetParam(), profile);
    ASSERT_TRUE(unit.ready());
    ConnectOptions options = unit.doc.getConnectOptions();
    options.slaveId = 0x25;
    unit.doc.setConnectOptions(options);
    unit.doc.takeReferenceCopy(); // as opened from a file
    unit.doc.SetModifiedFlag(false);
    // The file must follow the unit where it names the link: over TCP the RTU settings are
    // not part of the link, and the modified state ignores them.
    const bool modified = GetParam() == Link::rtu;
    unit.ui.answerMessageBox(IDOK);

    unit.doc.writeRtuConfiguration({0x30, 1, 3, 0});

    EXPECT_EQ(requestsOf(unit.sim), (std::vector<Request>{{fn16, 0x1100, 4}}));
    const ConnectOptions after = unit.doc.getConnectOptions();
    EXPECT_EQ(after.slaveId, 0x35);
    EXPECT_EQ(after.baudIndex, 3);
    EXPECT_EQ(after.parityIndex, 0);
    EXPECT_EQ(unit.doc.IsModified(), modified);
    EXPECT_EQ(unit.doc.image().rtuConfig.value, (RtuConfig{0x30, 1, 3, 0}));
    EXPECT_EQ(unit.doc.image().rtuConfig.valid, 1);
    // Over RTU the unit now answers at another address and speed: the link is gone.
    EXPECT_EQ(unit.doc.isConnected(), GetParam() == Link::rtu ? 0 : 1);
    // Touching the options later keeps that state.
    unit.doc.setConnectOptions(unit.doc.getConnectOptions());
    EXPECT_EQ(unit.doc.IsModified(), modified);
}

TEST_P(ConfigureOnSimulator, AnalogStatesAreWrittenOnlyWhereTheyChange) {
    const DeviceImage::PanelStates read = unit.doc.initialAnalogStates(1);
    DeviceImage::PanelStates states = read;
    states[3] = ChannelState::output;
    states[7] = ChannelState::input;
    ASSERT_NE(read[3], states[3]);
    ASSERT_NE(read[7], states[7]);

    unit.doc.writeAnalogChannelStates(1, read);
    EXPECT_TRUE(unit.sim.requestLog().empty());
    EXPECT_EQ(unit.doc.viewUpdates, 1);

    unit.doc.writeAnalogChannelStates(1, states);
    EXPECT_EQ(requestsOf(unit.sim), (std::vector<Request>{{fn16, 0x2013, 1}, {fn16, 0x2017, 1}}));
    EXPECT_EQ(unit.doc.initialAnalogStates(1), states);
    // A channel taking a new role starts from the unit's defaults for it.
    EXPECT_EQ(unit.doc.image().defaultOutput[1][3].value, 0);
    EXPECT_EQ(unit.doc.image().averageWeightIndex[1][7].value, 2);
    // The unit holds the same: output channel 7, now an input, weighs 4 (index 2).
    ASSERT_NO_FATAL_FAILURE(unit.readAll());
    EXPECT_EQ(*unit.doc.getAverageWeightIndex(1, 7), 2);
    EXPECT_EQ(*unit.doc.getDefaultOutput(1, 3), 0);
}

TEST_P(ConfigureOnSimulator, StaleAnalogStatesAreAllWrittenAndAFailureKeepsTheFlagCleared) {
    refreshRefusing(0x2000, 0x203F);
    ASSERT_EQ(unit.doc.getAnalogChannelState(0, 0), nullptr);
    unit.sim.faults().addException(0x2005, 0x2005, 4);
    unit.ui.answerMessageBox(IDOK);
    const DeviceImage::PanelStates states = filled<int16_t>(ChannelState::input);

    unit.doc.writeAnalogChannelStates(0, states);
    EXPECT_EQ(unit.sim.requestLog().size(), 6u);
    EXPECT_EQ(unit.doc.getAnalogChannelState(0, 0), nullptr);
    EXPECT_EQ(unit.doc.image().analogChannelState[0].value[4], ChannelState::input);
    EXPECT_EQ(unit.ui.messageBoxes().back().caption, "Configure Error");

    unit.sim.faults().clearExceptions();
    unit.sim.clearRequestLog();
    unit.doc.writeAnalogChannelStates(0, states);
    EXPECT_EQ(unit.sim.requestLog().size(), 16u);
    ASSERT_NE(unit.doc.getAnalogChannelState(0, 15), nullptr);
}

TEST_P(ConfigureOnSimulator, DigitalResetRefreshesAndAFailedResetDoesNot) {
    unit.doc.resetDigitalPanel(2);
    const auto requests = requestsOf(unit.sim);
    ASSERT_GT(requests.size(), 1u);
    EXPECT_EQ(requests.front(), (Request{fn16, 0x8C02, 1}));
    EXPECT_EQ(std::get<0>(requests[1]), fn4); // the refresh follows at once

    unit.sim.clearRequestLog();
    unit.sim.faults().addException(0x8C00, 0x8C07, 4);
    unit.ui.answerMessageBox(IDOK);
    unit.doc.resetDigitalPanel(2);
    EXPECT_EQ(unit.sim.requestLog().size(), 1u);
    const auto& box = unit.ui.messageBoxes().back();
    EXPECT_EQ(box.caption, "Reset Error");
    EXPECT_EQ(box.text, "Reset Failed!\n\nError code: 164, " +
                            CVtrConfigDoc::describeError(MBUS_SLAVE_DEVICE_FAILURE));

    unit.sim.clearRequestLog();
    unit.sim.faults().addException(0x1201, 0x1201, 4);
    unit.ui.answerMessageBox(IDOK);
    EXPECT_EQ(unit.doc.resetAnalogPanels(), MBUS_SLAVE_DEVICE_FAILURE);
    EXPECT_EQ(requestsOf(unit.sim), (std::vector<Request>{{fn16, 0x1201, 1}}));
    unit.sim.faults().clearExceptions();
    unit.sim.clearRequestLog();
    EXPECT_EQ(unit.doc.resetAnalogPanels(), MBUS_SUCCESS);
    EXPECT_EQ(requestsOf(unit.sim).size(), 1u); // the caller waits for the reboot, then refreshes
}

TEST_P(ConfigureOnSimulator, ConfigureOperationsEditTheImageInTheirDialogs) {
    unit.doc.setHexDisplay(1);
    unit.ui.expectDialog(IDD_CFG_MULT_ANA_IN_OPTS, [](DialogDriver& user) {
        EXPECT_EQ(user.text(IDC_MULT_ANA_IN_GROUP), "Expansion Panel 1");
        EXPECT_EQ(user.items(idcMultAnaInList(0))[0], "0x0001");
        user.select(idcMultAnaInList(0), 5);
        user.click(IDOK);
    });
    unit.doc.configureAverageWeights(1);
    EXPECT_EQ(requestsOf(unit.sim), (std::vector<Request>{{fn16, 0x2210, 16}}));
    EXPECT_EQ(*unit.doc.getAverageWeightIndex(1, 0), 5);

    // Cancel writes nothing; a block never read starts from our defaults.
    refreshRefusing(0x1120, 0x112A);
    unit.ui.expectDialog(IDD_CFG_TCP_PARMS, [](DialogDriver& user) {
        EXPECT_EQ(user.text(IDC_TCP_GROUP), "Modbus TCP Parameters (Secondary)");
        EXPECT_EQ(user.text(IDC_TCP_IP_ADDRESS_0 + 3), "101");
        EXPECT_EQ(user.text(IDC_TCP_KEEPALIVE), "0x1C20");
        user.pressEscape();
    });
    unit.doc.configureTcpInterface(1);
    EXPECT_TRUE(unit.sim.requestLog().empty());
    EXPECT_EQ(unit.doc.viewUpdates, 0);
}

INSTANTIATE_TEST_SUITE_P(Links, ConfigureOnSimulator, ::testing::Values(Link::tcp, Link::rtu),
                         linkName);

} // namespace
