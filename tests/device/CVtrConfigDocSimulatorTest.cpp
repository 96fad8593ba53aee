#include "LinkedUnit.h"

#include "device/AverageWeightCode.h"
#include "device/RegisterMap.h"
#include "device/VtrFile.h"
#include "modbus/MbusError.h"
#include "modbus/MbusRtuMasterProtocol.h"
#include "sim/Simulator.h"
#include "support/ComPortAlias.h"
#include "support/ScratchFolder.h"
#include "ui/CArchive.h"
#include "ui/HeadlessBackend.h"
#include "ui/UiConstants.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace {

// The rich unit with a few digital outputs defaulting to on, so that coils are seen both ways.
SimProfile testProfile() {
    SimProfile profile = SimProfile::richDefault();
    profile.digitalPanels[1].defaultOutput[5] = 1;
    profile.digitalPanels[1].defaultOutput[15] = 1;
    profile.statusWord = 0x0004;
    profile.identity.serialNumber = "VT3-0042137-ABCD"; // all 16 registers used
    return profile;
}

int16_t storedState(uint16_t simState) {
    return static_cast<int16_t>(simState);
}

bool requestTouches(const SimRequestLogEntry& entry, int function, uint16_t first, uint16_t count) {
    return entry.function == function && entry.address < first + count &&
           first < entry.address + entry.count;
}

class DocumentOnSimulator : public ::testing::TestWithParam<Link> {};

} // namespace

TEST_P(DocumentOnSimulator, ReadsEveryBlockIntoTheImage) {
    const SimProfile profile = testProfile();
    LinkedUnit unit(GetParam(), profile);
    ASSERT_TRUE(unit.ready());
    ASSERT_NO_FATAL_FAILURE(unit.readAll());
    const CVtrConfigDoc& doc = unit.doc;

    EXPECT_EQ(doc.getStatusWord(), 0x0004);
    EXPECT_EQ(doc.getDeviceInfo().manufacturer, profile.identity.manufacturer);
    EXPECT_EQ(doc.getDeviceInfo().modelNumber, profile.identity.modelNumber);
    EXPECT_EQ(doc.getDeviceInfo().serialNumber, profile.identity.serialNumber);
    EXPECT_EQ(doc.getDeviceInfo().firmwareRevision, profile.identity.firmwareRevision);
    EXPECT_EQ(doc.getDeviceInfo().ethernetFirmwareRevision, profile.ethernetFirmwareRevision);
    EXPECT_EQ(doc.getSecondaryTcpSupported(), 1);

    ASSERT_NE(doc.getRtuConfig(), nullptr);
    EXPECT_EQ(doc.getRtuConfig()->slaveIdHigh, profile.slaveAddress & 0xF0);
    EXPECT_EQ(doc.getRtuConfig()->baudIndex, profile.baudIndex);
    EXPECT_EQ(doc.getRtuConfig()->parityIndex, profile.parityIndex);
    EXPECT_EQ(doc.getRtuConfig()->serialInterface, profile.serialInterface);
    for (int index = 0; index < 2; ++index) {
        ASSERT_NE(doc.getTcpConfig(index), nullptr) << index;
        const TcpConfig& tcp = *doc.getTcpConfig(index);
        EXPECT_EQ(tcp.ipAddress, profile.tcp[index].ipAddress);
        EXPECT_EQ(tcp.subnetMask, profile.tcp[index].subnetMask);
        EXPECT_EQ(tcp.gateway, profile.tcp[index].gateway);
        EXPECT_EQ(tcp.keepaliveMs, profile.tcp[index].keepaliveMs);
        EXPECT_EQ(tcp.tcpPort, profile.tcp[index].tcpPort);
        EXPECT_EQ(tcp.macAddress, profile.tcp[index].macAddress);
    }

    ASSERT_NE(doc.getScanMode(), nullptr);
    EXPECT_EQ(*doc.getScanMode(), 1);
    ASSERT_NE(doc.getScanParameters(), nullptr);
    const ScanParameters& scan = *doc.getScanParameters();
    ASSERT_EQ(scan.scanListLength, static_cast<int32_t>(profile.scanList.size()));
    for (size_t i = 0; i < profile.scanList.size(); ++i) {
        EXPECT_EQ(scan.scanList[i], profile.scanList[i]) << i;
    }
    EXPECT_EQ(scan.scanIntervalMs, profile.scanIntervalMs);
    EXPECT_EQ(scan.scanCount, profile.scanCount);

    for (int panel = 0; panel < 4; ++panel) {
        for (int channel = 0; channel < 16; ++channel) {
            const int id = 16 * panel + channel;
            ASSERT_NE(doc.getAnalogChannelState(panel, channel), nullptr);
            EXPECT_EQ(*doc.getAnalogChannelState(panel, channel),
                      storedState(profile.analogState[id]))
                << id;
            const uint16_t weight = profile.analogState[id] == SimProfile::Input
                                        ? profile.averageWeightIndex[id]
                                        : AverageWeightCode::defaultIndex;
            EXPECT_EQ(*doc.getAverageWeightIndex(panel, channel), weight) << id;
            EXPECT_EQ(*doc.getDefaultOutput(panel, channel), profile.defaultOutput[id]) << id;
        }
    }

    for (int panel = 0; panel < 8; ++panel) {
        const SimProfile::DigitalPanel& digital = profile.digitalPanels[panel];
        const bool inUse = digital.fitted && digital.bypass == 0;
        EXPECT_EQ(doc.image().panelBypass[panel], digital.bypass) << panel;
        EXPECT_EQ(doc.isDigitalPanelAvailable(panel), inUse) << panel;
        if (!inUse) {
            EXPECT_EQ(doc.getDigitalDeviceInfo(panel), nullptr) << panel;
            EXPECT_EQ(doc.getDigitalChannelState(panel, 0), nullptr) << panel;
            EXPECT_EQ(doc.getDigitalDefaultOutput(panel, 0), nullptr) << panel;
            continue;
        }
        ASSERT_NE(doc.getDigitalDeviceInfo(panel), nullptr) << panel;
        EXPECT_EQ(doc.getDigitalDeviceInfo(panel)->serialNumber, digital.identity.serialNumber);
        EXPECT_EQ(doc.getDigitalDeviceInfo(panel)->firmwareRevision,
                  digital.identity.firmwareRevision);
        for (int channel = 0; channel < 16; ++channel) {
            EXPECT_EQ(*doc.getDigitalChannelState(panel, channel),
                      storedState(digital.state[channel]))
                << panel << "/" << channel;
            EXPECT_EQ(*doc.getDigitalDefaultOutput(panel, channel), digital.defaultOutput[channel])
                << panel << "/" << channel;
        }
    }
}

TEST_P(DocumentOnSimulator, FirmwareRevisionDecidesTheSecondaryInterface) {
    struct Case {
        const char* revision;
        int secondary;
    };
    const Case cases[] = {
        {"KX5120-01AR", 0}, {"KX5120-02AR", 0}, {"KX5120-02AR1", 1},
        {"KX5120-02ar", 1}, {"KX5120-03AR", 1}, {"", 1},
    };
    LinkedUnit unit(GetParam(), SimProfile::richDefault());
    ASSERT_TRUE(unit.ready());
    for (const auto& c : cases) {
        SimProfile profile = SimProfile::richDefault();
        profile.identity.firmwareRevision = c.revision;
        unit.sim.unit().setConfiguration(profile);
        ASSERT_EQ(unit.doc.readDeviceInformation(), MBUS_SUCCESS) << c.revision;
        EXPECT_EQ(unit.doc.getDeviceInfo().firmwareRevision, c.revision);
        EXPECT_EQ(unit.doc.getSecondaryTcpSupported(), c.secondary) << c.revision;
    }
}

TEST_P(DocumentOnSimulator, BypassedPanelGetsNoRequestOfAnyDigitalBlock) {
    SimProfile profile = SimProfile::richDefault();
    profile.digitalPanels[1].bypass = -2; // fitted, but switched out
    LinkedUnit unit(GetParam(), profile);
    ASSERT_TRUE(unit.ready());
    ASSERT_NO_FATAL_FAILURE(unit.readAll());

    for (const int panel : {1, 2}) {
        EXPECT_FALSE(unit.doc.isDigitalPanelAvailable(panel)) << panel;
        for (const auto& entry : unit.sim.requestLog()) {
            using RM = RegisterMap;
            EXPECT_FALSE(requestTouches(
                entry, RM::fn4, RM::panelAddress(DeviceBlock::digitalDeviceInformation, panel), 64))
                << panel;
            EXPECT_FALSE(requestTouches(
                entry, RM::fn4, RM::panelAddress(DeviceBlock::digitalChannelStates, panel), 16))
                << panel;
            EXPECT_FALSE(requestTouches(
                entry, RM::fn1, RM::panelAddress(DeviceBlock::digitalOutputOptions, panel), 16))
                << panel;
        }
    }
    EXPECT_EQ(unit.doc.image().panelBypass[1], -2);
    EXPECT_TRUE(unit.doc.isDigitalPanelAvailable(0));
}

TEST_P(DocumentOnSimulator, AbsentPanelIsFollowedByACheckAndTheNextPanelIsRead) {
    SimProfile profile = SimProfile::richDefault();
    profile.digitalPanels[2] = {}; // not fitted, not bypassed: the unit refuses its reads
    profile.digitalPanels[3].fitted = true;
    profile.digitalPanels[3].identity = {"Vantrel", "VTR300-D16", "D16-3", "KD1100-03"};
    LinkedUnit unit(GetParam(), profile);
    ASSERT_TRUE(unit.ready());
    ASSERT_EQ(unit.doc.readDigitalPanelBypass(), MBUS_SUCCESS);
    unit.sim.clearRequestLog();

    EXPECT_EQ(unit.doc.readDigitalDeviceInformation(), MBUS_SUCCESS);

    const auto log = unit.sim.requestLog();
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[2].address, RegisterMap::panelAddress(DeviceBlock::digitalDeviceInformation, 2));
    EXPECT_EQ(log[3].address, VtrAddress::communicationCheck);
    EXPECT_EQ(log[4].address, RegisterMap::panelAddress(DeviceBlock::digitalDeviceInformation, 3));
    EXPECT_FALSE(unit.doc.isDigitalPanelAvailable(2));
    EXPECT_TRUE(unit.doc.isDigitalPanelAvailable(3));
    EXPECT_EQ(unit.doc.getDigitalDeviceInfo(3)->serialNumber, "D16-3");
}

TEST_P(DocumentOnSimulator, OldFirmwareSkipsTheSecondInterfaceAndContinuousScanItsParameters) {
    LinkedUnit unit(GetParam(), SimProfile::minimal());
    ASSERT_TRUE(unit.ready());
    // Were either block read, its failure would be reported.
    unit.sim.faults().addException(VtrAddress::tcpConfiguration2, VtrAddress::tcpConfiguration2, 2);
    unit.sim.faults().addException(VtrAddress::scanParameters, VtrAddress::scanParameters, 2);
    ASSERT_NO_FATAL_FAILURE(unit.readAll());
    EXPECT_EQ(unit.doc.getSecondaryTcpSupported(), 0);
    EXPECT_EQ(*unit.doc.getScanMode(), 0);
    EXPECT_EQ(unit.doc.getScanParameters(), nullptr);
    EXPECT_EQ(unit.doc.getTcpConfig(1), nullptr);
    for (const auto& entry : unit.sim.requestLog()) {
        EXPECT_NE(entry.address, VtrAddress::tcpConfiguration2);
        EXPECT_NE(entry.address, VtrAddress::scanParameters);
    }
}

TEST_P(DocumentOnSimulator, ScanListLengthFollowsTheUnitsList) {
    struct Case {
        size_t entries;
    };
    const Case cases[] = {{0}, {1}, {63}, {64}};
    LinkedUnit unit(GetParam(), SimProfile::richDefault());
    ASSERT_TRUE(unit.ready());
    for (const auto& c : cases) {
        SimProfile profile = SimProfile::richDefault();
        profile.scanList.clear();
        for (size_t i = 0; i < c.entries; ++i) {
            profile.scanList.push_back(static_cast<uint8_t>(63 - i));
        }
        unit.sim.unit().setConfiguration(profile);
        ASSERT_EQ(unit.doc.readScanParameters(), MBUS_SUCCESS);
        EXPECT_EQ(unit.doc.getScanParameters()->scanListLength, static_cast<int32_t>(c.entries));
        if (c.entries > 0) {
            EXPECT_EQ(unit.doc.getScanParameters()->scanList[c.entries - 1], 64 - c.entries);
        }
    }
}

TEST_P(DocumentOnSimulator, LiveValuesAreReadAndWrittenOneAtATime) {
    LinkedUnit unit(GetParam(), SimProfile::richDefault());
    ASSERT_TRUE(unit.ready());
    unit.sim.unit().freezeLiveValues(3);
    // Analog panel 0 channel 8 and digital panel 0 channel 8 are outputs in the rich unit.
    const int analogRef = 16 * 0 + 8 + 1;
    const int digitalRef = 16 * 0 + 8 + 1;

    EXPECT_EQ(unit.doc.writeLiveRegister(analogRef, 1234), MBUS_SUCCESS);
    uint16_t value = 0;
    EXPECT_EQ(unit.doc.readLiveRegister(analogRef, value), MBUS_SUCCESS);
    EXPECT_EQ(value, 1234);
    EXPECT_EQ(unit.sim.unit().analogOutputValue(8), 1234);

    EXPECT_EQ(unit.doc.writeLiveCoil(digitalRef, 1), MBUS_SUCCESS);
    int coil = 0;
    EXPECT_EQ(unit.doc.readLiveCoil(digitalRef, coil), MBUS_SUCCESS);
    EXPECT_EQ(coil, 1);
    EXPECT_TRUE(unit.sim.unit().digitalOutputValue(8));
}

// A VTR300 closes a Modbus TCP connection idle for longer than its keepalive time; a dialog's
// write or the quick channel view's read after that works at the first try.
TEST(DocumentOverTcp, WritesAndLiveReadsWorkAfterTheUnitClosedTheIdleLink) {
    SimProfile profile = SimProfile::richDefault();
    profile.tcp[0].keepaliveMs = 200;
    LinkedUnit unit(Link::tcp, profile);
    ASSERT_TRUE(unit.ready());
    const auto idle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(400)); };
    uint16_t value = 0;

    idle();
    unit.doc.writeScanMode(0);
    idle();
    EXPECT_EQ(unit.doc.readLiveRegister(1, value), MBUS_SUCCESS);

    EXPECT_TRUE(unit.ui.messageBoxes().empty());
    EXPECT_EQ(unit.doc.isConnected(), 1);
    EXPECT_EQ(unit.sim.requestLog().size(), 2u); // each sent once
}

TEST_P(DocumentOnSimulator, FailedReadLeavesTheWholeImageAsItWas) {
    struct Fault {
        const char* name;
        std::function<void(SimFaults&, uint16_t first, uint16_t last)> arm;
        int expected;
    };
    const bool tcp = GetParam() == Link::tcp;
    const Fault faults[] = {
        {"exception", [](SimFaults& f, uint16_t a, uint16_t b) { f.addException(a, b, 2); },
         MBUS_ILLEGAL_DATA_ADDRESS},
        {"silence", [](SimFaults& f, uint16_t, uint16_t) { f.setSilent(true); },
         MBUS_REPLY_TIMEOUT},
        {"wrong function", [](SimFaults& f, uint16_t, uint16_t) { f.setWrongFunction(true); },
         MBUS_INVALID_FRAME},
        {"wrong slave", [](SimFaults& f, uint16_t, uint16_t) { f.setWrongSlave(true); },
         MBUS_INVALID_FRAME},
        // TCP drops the connection, RTU answers with a bad checksum.
        {"transport fault",
         [tcp](SimFaults& f, uint16_t, uint16_t) {
             tcp ? f.setCloseConnection(true) : f.setBadCrc(true);
         },
         tcp ? MBUS_CONNECTION_CLOSED : MBUS_CHECKSUM_ERROR},
    };
    struct Read {
        const char* name;
        DeviceBlock block;
        std::function<int(CVtrConfigDoc&)> read;
    };
    const Read reads[] = {
        {"device information", DeviceBlock::deviceInformation,
         [](CVtrConfigDoc& d) { return d.readDeviceInformation(); }},
        {"tcp configuration", DeviceBlock::tcpConfiguration,
         [](CVtrConfigDoc& d) { return d.readTcpConfiguration(0); }},
        {"input options", DeviceBlock::analogInputOptions,
         [](CVtrConfigDoc& d) { return d.readAnalogInputOptions(); }},
        {"digital states", DeviceBlock::digitalChannelStates,
         [](CVtrConfigDoc& d) { return d.readDigitalChannelStates(); }},
        {"digital outputs", DeviceBlock::digitalOutputOptions,
         [](CVtrConfigDoc& d) { return d.readDigitalOutputOptions(); }},
    };
    for (const auto& fault : faults) {
        for (const auto& read : reads) {
            LinkedUnit unit(GetParam(), testProfile());
            ASSERT_TRUE(unit.ready());
            ASSERT_NO_FATAL_FAILURE(unit.readAll());
            const DeviceImage before = unit.doc.image();

            const RegisterBlock& block = RegisterMap::block(read.block);
            fault.arm(unit.sim.faults(), block.address,
                      static_cast<uint16_t>(block.address + block.count - 1));
            const int result = read.read(unit.doc);
            EXPECT_EQ(result, fault.expected) << fault.name << ", " << read.name;
            EXPECT_TRUE(unit.doc.image() == before) << fault.name << ", " << read.name;
        }
    }
}

TEST_P(DocumentOnSimulator, ConnectRefreshAndDisconnectChangeTheState) {
    LinkedUnit unit(GetParam(), SimProfile::richDefault());
    ASSERT_TRUE(unit.ready());
    EXPECT_EQ(unit.doc.isConnected(), 1);
    EXPECT_EQ(unit.doc.getRtuConfig(), nullptr); // connect reads nothing
    EXPECT_TRUE(unit.sim.requestLog().empty());

    ASSERT_NO_FATAL_FAILURE(unit.readAll());
    EXPECT_EQ(unit.doc.viewUpdates, 1);
    EXPECT_TRUE(unit.doc.isDigitalPanelAvailable(0));

    unit.doc.disconnect();
    EXPECT_EQ(unit.doc.isConnected(), 0);
    EXPECT_EQ(unit.doc.viewUpdates, 2);
    EXPECT_FALSE(unit.doc.isDigitalPanelAvailable(0));
    EXPECT_NE(unit.doc.getRtuConfig(), nullptr); // the image outlives the link
    EXPECT_EQ(unit.doc.readStatusRegister(), MBUS_ILLEGAL_STATE);

    // The masters are the document's for its whole life: the same one opens again, and a
    // connect while connected replaces the link rather than failing beside it.
    ASSERT_EQ(unit.doc.connect(), 1);
    ASSERT_EQ(unit.doc.connect(), 1);
    ASSERT_NO_FATAL_FAILURE(unit.readAll());
    EXPECT_TRUE(unit.ui.messageBoxes().empty());
}

TEST_P(DocumentOnSimulator, UnitThatDoesNotAnswerClosesTheLinkNamingLikelyCauses) {
    const bool tcp = GetParam() == Link::tcp;
    LinkedUnit unit(GetParam(), SimProfile::richDefault());
    ASSERT_TRUE(unit.ready());
    unit.sim.faults().setSilent(true);

    unit.doc.refresh();

    EXPECT_EQ(unit.doc.isConnected(), 0);
    EXPECT_EQ(unit.doc.viewUpdates, 1);
    ASSERT_EQ(unit.ui.messageBoxes().size(), 1u);
    const auto& box = unit.ui.messageBoxes()[0];
    EXPECT_EQ(box.caption, "Connect Error");
    EXPECT_EQ(box.style, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    EXPECT_EQ(box.owner, nullptr);
    const std::string causes =
        tcp ? "  * Device not an Vantrel\n"
            : "  * Invalid Modbus RTU Slave ID.\n"
              "  * Incorrect serial communication parameters (port, baud, or parity).\n"
              "  * Power not applied to Vantrel.\n"
              "  * Device not an Vantrel\n"
              "  * Faulty cable.\n";
    EXPECT_EQ(box.text, "Failed to communicate with Vantrel!  The current connection will be "
                        "closed.\n\nError Code: 132, Reply time-out\n\nPossible Causes:\n\n" +
                            causes);
}

TEST_P(DocumentOnSimulator, UnreadableIdentityBlockClosesTheLink) {
    struct Case {
        uint16_t address;
        const char* text;
    };
    const Case cases[] = {
        {VtrAddress::statusRegister,
         "Failed to read Status Register data!  The current connection will be closed.\n\n"
         "Error Code: 162, Illegal Data Address exception response"},
        {VtrAddress::deviceInformation,
         "Failed to read Device Information data!  The current connection will be closed.\n\n"
         "Error Code: 162, Illegal Data Address exception response"},
        {VtrAddress::digitalPanelBypass,
         "Failed to read Digital Panel Bypass data!  The current connection will be closed.\n\n"
         "Error Code: 162, Illegal Data Address exception response"},
    };
    for (const Case& c : cases) {
        LinkedUnit unit(GetParam(), SimProfile::richDefault());
        ASSERT_TRUE(unit.ready());
        unit.sim.faults().addException(c.address, c.address, 2);
        unit.doc.refresh();
        EXPECT_EQ(unit.doc.isConnected(), 0) << c.address;
        ASSERT_EQ(unit.ui.messageBoxes().size(), 1u) << c.address;
        EXPECT_EQ(unit.ui.messageBoxes()[0].caption, "Read Error");
        EXPECT_EQ(unit.ui.messageBoxes()[0].text, c.text);
    }
}

TEST_P(DocumentOnSimulator, FailingBlocksAreListedInRefreshOrderAndTheLinkStaysOpen) {
    LinkedUnit unit(GetParam(), SimProfile::richDefault());
    ASSERT_TRUE(unit.ready());
    // A second refresh: what the first one read must not stay valid.
    ASSERT_NO_FATAL_FAILURE(unit.readAll());
    // Armed in the opposite order to the refresh's.
    unit.sim.faults().addException(VtrAddress::analogOutputOptions,
                                   VtrAddress::analogOutputOptions + 63, 4);
    unit.sim.faults().addException(VtrAddress::scanParameters, VtrAddress::scanParameters, 4);
    unit.sim.faults().addException(VtrAddress::rtuConfiguration, VtrAddress::rtuConfiguration, 2);

    unit.doc.refresh();

    EXPECT_EQ(unit.doc.isConnected(), 1);
    EXPECT_EQ(unit.doc.viewUpdates, 2);
    ASSERT_EQ(unit.ui.messageBoxes().size(), 1u);
    EXPECT_EQ(unit.ui.messageBoxes()[0].caption, "Read Error");
    EXPECT_EQ(unit.ui.messageBoxes()[0].text,
              "Refresh failed to read the following data: \n\n"
              "\tRTU Configuration:    162, Illegal Data Address exception response\n"
              "\tUser-Defined Scan Parameters:    164, Slave Device Failure exception response\n"
              "\tAnalog Output Options:    164, Slave Device Failure exception response\n"
              "\nThe current connection will remain open.");
    EXPECT_EQ(unit.doc.getRtuConfig(), nullptr);
    EXPECT_EQ(unit.doc.getScanParameters(), nullptr);
    EXPECT_EQ(unit.doc.getDefaultOutput(0, 0), nullptr);
    EXPECT_NE(unit.doc.getAverageWeightIndex(0, 0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Links, DocumentOnSimulator, ::testing::Values(Link::tcp, Link::rtu),
                         linkName);

TEST(DocumentConnect, FailureShowsTheCausesOfTheProtocolAndOpensNothing) {
    // A loopback port that nobody listens on: bind one, then close it.
    Simulator closed;
    ASSERT_EQ(closed.startTcp(), 0);
    const uint16_t deadPort = closed.tcpPort();
    closed.stop();

    ConnectOptions tcp;
    tcp.protocol = ConnectOptions::modbusTcp;
    tcp.server = "127.0.0.1";
    tcp.tcpPort = deadPort;
    ConnectOptions rtu;
    rtu.comPort = ComPortAlias::port; // the alias points nowhere
    ConnectOptions badBaud = rtu;
    badBaud.baudIndex = 8;
    ConnectOptions badParity = rtu;
    badParity.parityIndex = 3;
    ConnectOptions badProtocol;
    badProtocol.protocol = 2;
    const std::string rtuCauses = "  * Serial port already in use.\n  * Invalid serial port.\n";
    const std::string tcpCauses = "  * Invalid Server/IP Address\n"
                                  "  * Power not applied to Vantrel.\n"
                                  "  * Maximum socket connections exceeded.\n"
                                  "  * Faulty Ethernet cable.\n";
    const std::string head = "Failed to connect to Vantrel!\n\nError code: ";
    const std::string causesTitle = "\n\nPossible Causes:\n\n";
    const struct {
        const char* name;
        ConnectOptions options;
        std::string text;
    } cases[] = {
        {"tcp", tcp, head + "68, TCP/IP connection error" + causesTitle + tcpCauses},
        {"rtu", rtu, head + "66, Port or socket open error" + causesTitle + rtuCauses},
        {"baud index 8", badBaud, head + "1, Illegal argument error" + causesTitle + rtuCauses},
        {"parity index 3", badParity, head + "1, Illegal argument error" + causesTitle + rtuCauses},
        {"protocol 2", badProtocol,
         head + "1, Illegal argument error" + causesTitle + "  * Unknown protocol.\n"},
    };

    ComPortAlias alias;
    ASSERT_TRUE(alias.point("/dev/null/not-a-port"));
    for (const auto& c : cases) {
        HeadlessBackend ui;
        ScopedBackend scope(ui);
        LinkedDoc doc;
        doc.setConnectOptions(c.options);
        EXPECT_EQ(doc.connect(), 0) << c.name;
        EXPECT_EQ(doc.isConnected(), 0) << c.name;
        EXPECT_EQ(doc.checkCommunication(), MBUS_ILLEGAL_STATE) << c.name;
        ASSERT_EQ(ui.messageBoxes().size(), 1u) << c.name;
        EXPECT_EQ(ui.messageBoxes()[0].caption, "Connect Error") << c.name;
        EXPECT_EQ(ui.messageBoxes()[0].text, c.text) << c.name;
    }
}

// The document holds a serial link when a file is opened: the link is closed first, whatever
// the file then asks for, so a failed auto-connect leaves no link open either.
TEST(DocumentFileOnSimulator, OpenClosesTheLinkFirstThenConnectsWhenTheFileSaysSo) {
    Simulator other;
    ASSERT_EQ(other.startTcp(), 0);
    const struct {
        const char* name;
        int32_t autoConnect;
        uint16_t tcpPort;
        bool connected;
        size_t messages;
        int viewUpdates; // the disconnect, then the refresh
    } cases[] = {
        {"no auto connect", 0, other.tcpPort(), false, 0, 1},
        {"auto connect", 1, other.tcpPort(), true, 0, 2},
        {"auto connect to nothing", 1, 1, false, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkedUnit serial(Link::rtu, SimProfile::richDefault());
        ASSERT_TRUE(serial.ready());
        const std::string comPort = serial.doc.getConnectOptions().comPortName();
        MbusRtuMasterProtocol probe;
        ASSERT_NE(probe.openPort(comPort.c_str(), 19200, 8, 2, 2), MBUS_SUCCESS); // held

        DocumentSettings file;
        file.autoConnect = c.autoConnect;
        file.connect.protocol = ConnectOptions::modbusTcp;
        file.connect.server = "127.0.0.1";
        file.connect.tcpPort = c.tcpPort;
        CArchive ar;
        VtrFile::write(file, ar);
        ScratchFolder files;
        ScratchFolder::write(files.file("other.vtr"), ar.storedBytes());
        other.clearRequestLog();
        const int updatesBefore = serial.doc.viewUpdates;

        ASSERT_TRUE(serial.doc.onOpenDocument(files.file("other.vtr")));
        EXPECT_EQ(serial.doc.viewUpdates, updatesBefore + c.viewUpdates);
        EXPECT_EQ(serial.doc.isConnected(), c.connected ? 1 : 0);
        EXPECT_EQ(serial.doc.getRtuConfig() != nullptr, c.connected); // refreshed
        EXPECT_EQ(other.requestLog().empty(), !c.connected);
        EXPECT_EQ(serial.ui.messageBoxes().size(), c.messages);
        EXPECT_EQ(probe.openPort(comPort.c_str(), 19200, 8, 2, 2), MBUS_SUCCESS);
        probe.closeLink();
        EXPECT_FALSE(serial.doc.IsModified());
    }
}
