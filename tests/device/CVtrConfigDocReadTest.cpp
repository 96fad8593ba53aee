#include "DeviceTestSupport.h"

#include "device/ChannelState.h"
#include "modbus/MbusError.h"
#include "support/ScriptedTransport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

using ::testing::ElementsAre;

namespace {

using ReadOperation = std::function<int(CVtrConfigDoc&)>;

struct NamedRead {
    const char* name;
    ReadOperation read;
};

const NamedRead singleTransactionReads[] = {
    {"checkCommunication", [](CVtrConfigDoc& d) { return d.checkCommunication(); }},
    {"readStatusRegister", [](CVtrConfigDoc& d) { return d.readStatusRegister(); }},
    {"readDeviceInformation", [](CVtrConfigDoc& d) { return d.readDeviceInformation(); }},
    {"readDigitalPanelBypass", [](CVtrConfigDoc& d) { return d.readDigitalPanelBypass(); }},
    {"readRtuConfiguration", [](CVtrConfigDoc& d) { return d.readRtuConfiguration(); }},
    {"readTcpConfiguration(0)", [](CVtrConfigDoc& d) { return d.readTcpConfiguration(0); }},
    {"readTcpConfiguration(1)", [](CVtrConfigDoc& d) { return d.readTcpConfiguration(1); }},
    {"readScanMode", [](CVtrConfigDoc& d) { return d.readScanMode(); }},
    {"readScanParameters", [](CVtrConfigDoc& d) { return d.readScanParameters(); }},
    {"readAnalogChannelStates", [](CVtrConfigDoc& d) { return d.readAnalogChannelStates(); }},
    {"readAnalogInputOptions", [](CVtrConfigDoc& d) { return d.readAnalogInputOptions(); }},
    {"readAnalogOutputOptions", [](CVtrConfigDoc& d) { return d.readAnalogOutputOptions(); }},
};

// "Digital Device Information" of one panel.
std::vector<uint16_t> panelInfo(const std::string& serial) {
    return textBlock({"Vantrel", "DIG16", serial, "1.0"});
}

std::vector<uint16_t> words(size_t count, uint16_t value) {
    return std::vector<uint16_t>(count, value);
}

// Reads every block of a unit with digital panels 0 and 1 in use and the rest bypassed, so
// that every entry and flag of the image holds something.
void readWholeUnit(ScriptedTransport& master, LinkedDoc& doc) {
    master.answer(registerReply({0x0011}));
    master.answer(registerReply(textBlock({"Vantrel", "VTR300", "SN-7", "KX5120-03AR", "ETH-1"})));
    master.answer(registerReply({0, 0, 1, 1, 1, 1, 1, 0xFFFF}));
    master.answer(registerReply({1, 5, 1, 0x20}));
    master.answer(
        registerReply({0xC0A8, 0x0164, 0xFFFF, 0xFF00, 0xC0A8, 0x0101, 60, 502, 1, 2, 3}));
    master.answer(
        registerReply({0x0A00, 0x0001, 0xFF00, 0x0000, 0x0A00, 0x00FE, 30, 502, 4, 5, 6}));
    master.answer(registerReply({1}));
    std::vector<uint16_t> scan = words(67, 0xFF);
    scan[0] = 3;
    scan[65] = 500;
    scan[66] = 2;
    master.answer(registerReply(scan));
    std::vector<uint16_t> states = words(64, 0x0001);
    states[1] = 0x0080;
    master.answer(registerReply(states));
    master.answer(registerReply(words(64, 0x0010)));
    master.answer(registerReply(words(64, 0x0123)));
    master.answer(registerReply(textBlock({"Vantrel", "DIG16", "D-0", "1.0"})));
    master.answer(registerReply(textBlock({"Vantrel", "DIG16", "D-1", "1.1"})));
    master.answer(registerReply(words(16, 0x0080)));
    master.answer(registerReply(words(16, 0x0001)));
    master.answer(coilReply(std::vector<int>(16, 1)));
    master.answer(coilReply(std::vector<int>(16, 0)));

    ASSERT_EQ(doc.readStatusRegister(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readDeviceInformation(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readDigitalPanelBypass(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readRtuConfiguration(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readTcpConfiguration(0), MBUS_SUCCESS);
    ASSERT_EQ(doc.readTcpConfiguration(1), MBUS_SUCCESS);
    ASSERT_EQ(doc.readScanMode(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readScanParameters(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readAnalogChannelStates(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readAnalogInputOptions(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readAnalogOutputOptions(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readDigitalDeviceInformation(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readDigitalChannelStates(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readDigitalOutputOptions(), MBUS_SUCCESS);
    ASSERT_TRUE(master.replies.empty());
}

class DocumentReads : public ::testing::Test {
protected:
    void SetUp() override { doc.useOpenLink(&master); }

    // No panel bypassed, all eight answering their Device Information.
    void findEveryDigitalPanel() {
        master.answer(registerReply(words(8, 0)));
        ASSERT_EQ(doc.readDigitalPanelBypass(), MBUS_SUCCESS);
        for (int panel = 0; panel < 8; ++panel) {
            master.answer(registerReply(panelInfo("V")));
        }
        ASSERT_EQ(doc.readDigitalDeviceInformation(), MBUS_SUCCESS);
    }

    ScriptedTransport master;
    LinkedDoc doc;
};

} // namespace

TEST_F(DocumentReads, EachBlockIsReadWithItsFunctionAddressPlusOneAndCount) {
    struct Case {
        const char* name;
        int function;
        Bytes request; // address high, low; count high, low
        int replyLength;
    };
    const Case cases[] = {
        {"checkCommunication", 4, {0x12, 0x02, 0x00, 0x02}, 5},
        {"readStatusRegister", 4, {0x12, 0x00, 0x00, 0x01}, 3},
        {"readDeviceInformation", 4, {0x10, 0x00, 0x00, 0x50}, 161},
        {"readDigitalPanelBypass", 4, {0x8F, 0x00, 0x00, 0x08}, 17},
        {"readRtuConfiguration", 4, {0x11, 0x00, 0x00, 0x04}, 9},
        {"readTcpConfiguration(0)", 4, {0x11, 0x10, 0x00, 0x0B}, 23},
        {"readTcpConfiguration(1)", 4, {0x11, 0x20, 0x00, 0x0B}, 23},
        {"readScanMode", 4, {0x12, 0x04, 0x00, 0x01}, 3},
        {"readScanParameters", 4, {0x13, 0x00, 0x00, 0x43}, 135},
        {"readAnalogChannelStates", 4, {0x20, 0x00, 0x00, 0x40}, 129},
        {"readAnalogInputOptions", 4, {0x22, 0x00, 0x00, 0x40}, 129},
        {"readAnalogOutputOptions", 4, {0x21, 0x00, 0x00, 0x40}, 129},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        master.calls.clear();
        singleTransactionReads[i].read(doc);
        ASSERT_EQ(master.calls.size(), 1u) << cases[i].name;
        EXPECT_EQ(master.calls[0].functionCode, cases[i].function) << cases[i].name;
        EXPECT_EQ(master.calls[0].request, cases[i].request) << cases[i].name;
        EXPECT_EQ(master.calls[0].replyLength, cases[i].replyLength) << cases[i].name;
    }
}

TEST_F(DocumentReads, SlaveIsOneOverTcpAndTheSlaveIdOptionOverRtu) {
    ConnectOptions options;
    options.slaveId = 0x25;
    options.protocol = ConnectOptions::modbusRtu;
    doc.setConnectOptions(options);
    doc.readStatusRegister();
    options.protocol = ConnectOptions::modbusTcp;
    doc.setConnectOptions(options);
    doc.readStatusRegister();
    uint16_t value = 0;
    doc.readLiveRegister(1, value);

    ASSERT_EQ(master.calls.size(), 3u);
    EXPECT_EQ(master.calls[0].slave, 0x25);
    EXPECT_EQ(master.calls[1].slave, 1);
    EXPECT_EQ(master.calls[2].slave, 1);
}

TEST_F(DocumentReads, WithoutAnOpenLinkEveryOperationFailsWithIllegalStateAndSendsNothing) {
    doc.useOpenLink(nullptr);
    for (const auto& op : singleTransactionReads) {
        EXPECT_EQ(op.read(doc), MBUS_ILLEGAL_STATE) << op.name;
    }
    uint16_t reg = 0;
    int coil = 0;
    EXPECT_EQ(doc.readLiveRegister(1, reg), MBUS_ILLEGAL_STATE);
    EXPECT_EQ(doc.readLiveCoil(1, coil), MBUS_ILLEGAL_STATE);
    EXPECT_EQ(doc.writeLiveCoil(1, 1), MBUS_ILLEGAL_STATE);
    EXPECT_EQ(doc.writeLiveRegister(1, 5), MBUS_ILLEGAL_STATE);
    EXPECT_TRUE(master.calls.empty());
    EXPECT_EQ(doc.isConnected(), 0);
}

TEST(DocumentReadFailures, EveryFaultLeavesTheWholeImageAndItsFlagsAsTheyWere) {
    struct Fault {
        const char* name;
        std::function<void(ScriptedTransport&)> arm;
        int expected;
    };
    const Fault faults[] = {
        {"exception", [](ScriptedTransport& m) { m.fail(MBUS_ILLEGAL_DATA_ADDRESS); },
         MBUS_ILLEGAL_DATA_ADDRESS},
        {"time-out", [](ScriptedTransport& m) { m.fail(MBUS_REPLY_TIMEOUT); }, MBUS_REPLY_TIMEOUT},
        {"closed", [](ScriptedTransport& m) { m.fail(MBUS_CONNECTION_CLOSED); },
         MBUS_CONNECTION_CLOSED},
        {"wrong function or slave", [](ScriptedTransport& m) { m.fail(MBUS_INVALID_FRAME); },
         MBUS_INVALID_FRAME},
        // A normal reply whose byte count says 0 instead of the block's size.
        {"bad byte count", [](ScriptedTransport& m) { m.answer(Bytes(200, 0x00)); },
         MBUS_INVALID_REPLY},
    };
    std::vector<NamedRead> reads(std::begin(singleTransactionReads),
                                 std::end(singleTransactionReads));
    // The digital reads fail at panel 0, the first in use.
    reads.push_back({"readDigitalDeviceInformation",
                     [](CVtrConfigDoc& d) { return d.readDigitalDeviceInformation(); }});
    reads.push_back({"readDigitalChannelStates",
                     [](CVtrConfigDoc& d) { return d.readDigitalChannelStates(); }});
    reads.push_back({"readDigitalOutputOptions",
                     [](CVtrConfigDoc& d) { return d.readDigitalOutputOptions(); }});

    for (const auto& fault : faults) {
        for (const auto& op : reads) {
            ScriptedTransport master;
            LinkedDoc doc;
            doc.useOpenLink(&master);
            readWholeUnit(master, doc);
            const DeviceImage before = doc.image();

            fault.arm(master);
            EXPECT_EQ(op.read(doc), fault.expected) << op.name << ", " << fault.name;
            EXPECT_TRUE(doc.image() == before) << op.name << ", " << fault.name;
        }
    }
}

TEST_F(DocumentReads, SixteenCharacterStringsKeepAllCharactersAndNoHighBytes) {
    master.answer(registerReply(textBlock(
        {"ABCDEFGHIJKLMNOP", "0123456789abcdef", "S", "KX5120-03AR", "QRSTUVWXYZ012345"}, 0x7E)));
    ASSERT_EQ(doc.readDeviceInformation(), MBUS_SUCCESS);
    EXPECT_EQ(doc.getDeviceInfo().manufacturer, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(doc.getDeviceInfo().modelNumber, "0123456789abcdef");
    EXPECT_EQ(doc.getDeviceInfo().ethernetFirmwareRevision, "QRSTUVWXYZ012345");
    EXPECT_EQ(doc.getSecondaryTcpSupported(), 1);
}

TEST_F(DocumentReads, BypassIsSignExtendedFromTheRegister) {
    master.answer(registerReply({0, 1, 0xFFFF, 0x8000, 0x7FFF, 0, 0, 0}));
    ASSERT_EQ(doc.readDigitalPanelBypass(), MBUS_SUCCESS);
    EXPECT_THAT(doc.image().panelBypass, ElementsAre(0, 1, -1, -32768, 32767, 0, 0, 0));
}

TEST_F(DocumentReads, AverageWeightsDecodeByTheStatesHeldInTheImage) {
    std::vector<uint16_t> states = words(64, 0x0001);
    states[1] = 0x0080; // output
    states[2] = 0x0000; // vacant
    states[3] = 0x0042; // unknown wire code
    master.answer(registerReply(states));
    std::vector<uint16_t> weights = words(64, 0x0008);
    weights[4] = 0x0003; // two bits: not a weight
    weights[5] = 0x0000;
    weights[63] = 0x8000;
    master.answer(registerReply(weights));

    ASSERT_EQ(doc.readAnalogChannelStates(), MBUS_SUCCESS);
    ASSERT_EQ(doc.readAnalogInputOptions(), MBUS_SUCCESS);

    EXPECT_EQ(*doc.getAnalogChannelState(0, 3), ChannelState::invalid);
    const uint16_t expected[] = {3, 2, 2, 2, 255, 255};
    for (int channel = 0; channel < 6; ++channel) {
        EXPECT_EQ(*doc.getAverageWeightIndex(0, channel), expected[channel]) << channel;
    }
    EXPECT_EQ(*doc.getAverageWeightIndex(3, 15), 15);
}

TEST_F(DocumentReads, BypassedPanelGetsNoRequestAndAbsentPanelIsSkippedAfterACheck) {
    master.answer(registerReply({0, 5, 0, 0, 0, 0, 0, 0})); // panel 1 bypassed
    ASSERT_EQ(doc.readDigitalPanelBypass(), MBUS_SUCCESS);
    master.calls.clear();

    master.answer(registerReply(textBlock({"Vantrel", "D", "0", "1"}))); // panel 0
    master.fail(MBUS_SLAVE_DEVICE_FAILURE);                              // panel 2 absent
    master.answer(registerReply({0, 0}));                                // communication check
    for (int panel = 3; panel < 8; ++panel) {
        master.answer(registerReply(textBlock({"Vantrel", "D", std::to_string(panel), "1"})));
    }
    EXPECT_EQ(doc.readDigitalDeviceInformation(), MBUS_SUCCESS);

    std::vector<Bytes> requests;
    for (const auto& call : master.calls) {
        requests.push_back(call.request);
    }
    EXPECT_THAT(requests, ElementsAre(Bytes{0x8A, 0x00, 0x00, 0x40},   // panel 0
                                      Bytes{0x8A, 0x80, 0x00, 0x40},   // panel 2
                                      Bytes{0x12, 0x02, 0x00, 0x02},   // communication check
                                      Bytes{0x8A, 0xC0, 0x00, 0x40},   // panel 3
                                      Bytes{0x8B, 0x00, 0x00, 0x40},   // panel 4
                                      Bytes{0x8B, 0x40, 0x00, 0x40},   // panel 5
                                      Bytes{0x8B, 0x80, 0x00, 0x40},   // panel 6
                                      Bytes{0x8B, 0xC0, 0x00, 0x40})); // panel 7
    const bool available[] = {true, false, false, true, true, true, true, true};
    for (int panel = 0; panel < 8; ++panel) {
        EXPECT_EQ(doc.isDigitalPanelAvailable(panel), available[panel]) << panel;
        EXPECT_EQ(doc.getDigitalDeviceInfo(panel) != nullptr, available[panel]) << panel;
    }
    EXPECT_EQ(doc.getDigitalDeviceInfo(4)->serialNumber, "4");

    // Only present panels are read for states and outputs.
    master.calls.clear();
    for (int i = 0; i < 6; ++i) {
        master.answer(registerReply(words(16, 0x0080)));
    }
    EXPECT_EQ(doc.readDigitalChannelStates(), MBUS_SUCCESS);
    ASSERT_EQ(master.calls.size(), 6u);
    EXPECT_EQ(master.calls[1].request, (Bytes{0x80, 0x30, 0x00, 0x10})); // panel 3
    EXPECT_EQ(*doc.getDigitalChannelState(7, 15), ChannelState::output);
    EXPECT_EQ(doc.getDigitalChannelState(2, 0), nullptr);
}

TEST_F(DocumentReads, OtherDigitalErrorEndsTheReadKeepingPanelsReadBefore) {
    master.answer(registerReply(words(8, 0)));
    ASSERT_EQ(doc.readDigitalPanelBypass(), MBUS_SUCCESS);
    master.answer(registerReply(panelInfo("0")));
    master.fail(MBUS_REPLY_TIMEOUT);

    EXPECT_EQ(doc.readDigitalDeviceInformation(), MBUS_REPLY_TIMEOUT);
    EXPECT_EQ(master.calls.size(), 3u); // bypass, panel 0, panel 1; nothing after
    EXPECT_TRUE(doc.isDigitalPanelAvailable(0));
    EXPECT_FALSE(doc.isDigitalPanelAvailable(1));
}

TEST_F(DocumentReads, DeviceFailureOnDigitalStatesOrOutputsChecksOnceAndIsReported) {
    ASSERT_NO_FATAL_FAILURE(findEveryDigitalPanel());

    struct Case {
        const char* name;
        ReadOperation read;
    };
    const Case cases[] = {
        {"states", [](CVtrConfigDoc& d) { return d.readDigitalChannelStates(); }},
        {"outputs", [](CVtrConfigDoc& d) { return d.readDigitalOutputOptions(); }},
    };
    for (const auto& c : cases) {
        master.calls.clear();
        master.fail(MBUS_SLAVE_DEVICE_FAILURE);
        master.answer(registerReply({0, 0}));
        EXPECT_EQ(c.read(doc), MBUS_SLAVE_DEVICE_FAILURE) << c.name;
        ASSERT_EQ(master.calls.size(), 2u) << c.name;
        EXPECT_EQ(master.calls[1].request, (Bytes{0x12, 0x02, 0x00, 0x02})) << c.name;
    }
}

TEST_F(DocumentReads, AccessorsAreNullForStaleOrOutOfRangeEntries) {
    EXPECT_EQ(doc.getRtuConfig(), nullptr);
    EXPECT_EQ(doc.getTcpConfig(0), nullptr);
    EXPECT_EQ(doc.getScanMode(), nullptr);
    EXPECT_EQ(doc.getScanParameters(), nullptr);
    EXPECT_EQ(doc.getAnalogChannelState(0, 0), nullptr);
    EXPECT_EQ(doc.getAverageWeightIndex(0, 0), nullptr);
    EXPECT_EQ(doc.getDefaultOutput(0, 0), nullptr);

    readWholeUnit(master, doc);
    EXPECT_EQ(doc.getStatusWord(), 0x0011);
    EXPECT_EQ(doc.getRtuConfig()->slaveIdHigh, 0x20);
    EXPECT_THAT(doc.getTcpConfig(1)->ipAddress, ElementsAre(10, 0, 0, 1));
    EXPECT_EQ(*doc.getScanMode(), 1);
    EXPECT_EQ(doc.getScanParameters()->scanListLength, 1);
    EXPECT_EQ(*doc.getAnalogChannelState(0, 1), ChannelState::output);
    EXPECT_EQ(*doc.getAverageWeightIndex(0, 0), 4);
    EXPECT_EQ(*doc.getDefaultOutput(2, 2), 0x0123);
    EXPECT_EQ(doc.getTcpConfig(2), nullptr);
    EXPECT_EQ(doc.getTcpConfig(-1), nullptr);
    EXPECT_EQ(doc.getAnalogChannelState(4, 0), nullptr);
    EXPECT_EQ(doc.getAnalogChannelState(0, 16), nullptr);
    EXPECT_EQ(doc.getDigitalChannelState(8, 0), nullptr);
    EXPECT_EQ(doc.getDigitalDefaultOutput(0, -1), nullptr);
    EXPECT_FALSE(doc.isDigitalPanelAvailable(8));
    EXPECT_EQ(doc.readTcpConfiguration(2), MBUS_ILLEGAL_ARGUMENT);

    EXPECT_TRUE(doc.isDigitalPanelAvailable(0));
    doc.useOpenLink(nullptr);
    EXPECT_FALSE(doc.isDigitalPanelAvailable(0));
    EXPECT_NE(doc.getDigitalDeviceInfo(0), nullptr); // the image outlives the link
}

TEST_F(DocumentReads, LiveAccessPassesTheReferenceStraightThrough) {
    master.answer(registerReply({0x1234}));
    master.answer(coilReply({1}));
    master.answer({0x00, 0x30, 0xFF, 0x00}); // coil echo: address, on
    master.answer({0x00, 0x05, 0x00, 0x07}); // register echo: address, value
    uint16_t reg = 0;
    int coil = 0;
    EXPECT_EQ(doc.readLiveRegister(0x31 + 1 - 1, reg), MBUS_SUCCESS);
    EXPECT_EQ(doc.readLiveCoil(0x7F + 1, coil), MBUS_SUCCESS);
    EXPECT_EQ(doc.writeLiveCoil(0x30 + 1, 1), MBUS_SUCCESS);
    EXPECT_EQ(doc.writeLiveRegister(0x05 + 1, 7), MBUS_SUCCESS);
    EXPECT_EQ(reg, 0x1234);
    EXPECT_EQ(coil, 1);

    struct Expected {
        int function;
        Bytes request;
    };
    const Expected expected[] = {
        {4, {0x00, 0x30, 0x00, 0x01}}, // address 0x30, count 1
        {1, {0x00, 0x7F, 0x00, 0x01}}, // coil 0x7F, count 1
        {5, {0x00, 0x30, 0xFF, 0x00}}, // coil 0x30 on
        {6, {0x00, 0x05, 0x00, 0x07}}, // register 5 = 7
    };
    ASSERT_EQ(master.calls.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(master.calls[i].functionCode, expected[i].function) << i;
        EXPECT_EQ(master.calls[i].request, expected[i].request) << i;
    }
}

TEST_F(DocumentReads, PanelThatStopsAnsweringWithDeviceFailureLosesItsInformation) {
    ASSERT_NO_FATAL_FAILURE(findEveryDigitalPanel());
    ASSERT_NE(doc.getDigitalDeviceInfo(0), nullptr);

    master.fail(MBUS_SLAVE_DEVICE_FAILURE); // panel 0 taken out
    master.answer(registerReply({0, 0}));   // communication check
    for (int panel = 1; panel < 8; ++panel) {
        master.answer(registerReply(panelInfo("V")));
    }
    EXPECT_EQ(doc.readDigitalDeviceInformation(), MBUS_SUCCESS);
    EXPECT_EQ(doc.getDigitalDeviceInfo(0), nullptr);
    EXPECT_FALSE(doc.isDigitalPanelAvailable(0));
    EXPECT_NE(doc.getDigitalDeviceInfo(1), nullptr);
}
