#include "DeviceTestSupport.h"

#include "device/ChannelState.h"
#include "modbus/MbusError.h"
#include "support/ScriptedTransport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct WriteCase {
    const char* name;
    std::function<int(CVtrConfigDoc&)> send;
    int function;
    Bytes request; // address, count, byte count, data (coil: address, value)
    std::function<void(const CVtrConfigDoc&)> expectStored;
};

TcpConfig secondInterface() {
    TcpConfig config;
    config.ipAddress = {10, 0, 0, 7};
    config.subnetMask = {255, 255, 255, 0};
    config.gateway = {10, 0, 0, 1};
    config.keepaliveMs = 7200;
    config.tcpPort = 999;                   // read-only on the unit
    config.macAddress = {9, 9, 9, 9, 9, 9}; // likewise
    return config;
}

const WriteCase writeCases[] = {
    {"rtu configuration",
     [](CVtrConfigDoc& d) {
         return d.sendRtuConfiguration({0x30, 1, 5, 0});
     },
     16,
     {0x11, 0x00, 0x00, 0x04, 8, 0x00, 0x01, 0x00, 0x05, 0x00, 0x00, 0x00, 0x30},
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(*d.getRtuConfig(), (RtuConfig{0x30, 1, 5, 0}));
     }},
    {"second tcp interface, first seven registers",
     [](CVtrConfigDoc& d) { return d.sendTcpConfiguration(1, secondInterface()); },
     16,
     {0x11, 0x20, 0x00, 0x07, 14, 0x0A, 0x00, 0x00, 0x07, 0xFF, 0xFF, 0xFF, 0x00, 0x0A, 0x00, 0x00,
      0x01, 0x1C, 0x20},
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(d.getTcpConfig(1)->ipAddress, secondInterface().ipAddress);
         EXPECT_EQ(d.getTcpConfig(1)->keepaliveMs, 7200);
         EXPECT_EQ(d.getTcpConfig(1)->tcpPort, 0); // never copied from the record
         EXPECT_EQ(d.getTcpConfig(0), nullptr);
     }},
    {"scan mode",
     [](CVtrConfigDoc& d) { return d.sendScanMode(1); },
     16,
     {0x12, 0x04, 0x00, 0x01, 2, 0x00, 0x01},
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getScanMode(), 1); }},
    {"one analog channel becomes an output",
     [](CVtrConfigDoc& d) { return d.sendAnalogChannelState(1, 3, ChannelState::output); },
     16,
     {0x20, 0x13, 0x00, 0x01, 2, 0x00, 0x80},
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(d.image().analogChannelState[1].value[3], ChannelState::output);
         EXPECT_EQ(d.getAnalogChannelState(1, 3), nullptr); // the panel's flag is the caller's
     }},
    {"one average weight",
     [](CVtrConfigDoc& d) { return d.sendAverageWeight(2, 15, 4); },
     16,
     {0x22, 0x2F, 0x00, 0x01, 2, 0x00, 0x10},
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(*d.getAverageWeightIndex(2, 15), 4);
         EXPECT_EQ(d.getAverageWeightIndex(2, 14), nullptr);
     }},
    {"one default output",
     [](CVtrConfigDoc& d) { return d.sendDefaultOutput(3, 0, -2); },
     16,
     {0x21, 0x30, 0x00, 0x01, 2, 0xFF, 0xFE},
     [](const CVtrConfigDoc& d) { EXPECT_EQ(*d.getDefaultOutput(3, 0), -2); }},
    {"digital channel states",
     [](CVtrConfigDoc& d) {
         DeviceImage::PanelStates states{};
         states[0] = ChannelState::output;
         states[1] = ChannelState::input;
         return d.sendDigitalChannelStates(7, states);
     },
     16,
     [] {
         Bytes request{0x80, 0x70, 0x00, 0x10, 32, 0x00, 0x80, 0x00, 0x01};
         request.resize(5 + 32, 0x00);
         return request;
     }(),
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(*d.getDigitalChannelState(7, 0), ChannelState::output);
         EXPECT_EQ(*d.getDigitalChannelState(7, 15), ChannelState::vacant);
     }},
    {"digital outputs of a panel as sixteen coils",
     [](CVtrConfigDoc& d) {
         DeviceImage::PerChannel<int32_t> values{};
         values[0] = values[2] = values[15] = 1;
         return d.sendDigitalOutputs(2, values);
     },
     15,
     {0x81, 0x20, 0x00, 0x10, 2, 0x05, 0x80},
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(*d.getDigitalDefaultOutput(2, 2), 1);
         EXPECT_EQ(*d.getDigitalDefaultOutput(2, 3), 0);
     }},
    {"one digital output as a single coil",
     [](CVtrConfigDoc& d) { return d.sendDigitalOutput(0, 9, 1); },
     5,
     {0x81, 0x09, 0xFF, 0x00},
     [](const CVtrConfigDoc& d) {
         EXPECT_EQ(*d.getDigitalDefaultOutput(0, 9), 1);
         EXPECT_EQ(d.getDigitalDefaultOutput(0, 8), nullptr);
     }},
    {"analog reset command",
     [](CVtrConfigDoc& d) { return d.sendResetAnalogPanels(); },
     16,
     {0x12, 0x01, 0x00, 0x01, 2, 0x00, 0xFF},
     [](const CVtrConfigDoc&) {}},
    {"digital reset command",
     [](CVtrConfigDoc& d) { return d.sendResetDigitalPanel(5); },
     16,
     {0x8C, 0x05, 0x00, 0x01, 2, 0x00, 0xFF},
     [](const CVtrConfigDoc&) {}},
};

} // namespace

TEST(DocumentWrites, EachBlockIsEncodedAndWrittenWithItsFunctionAndStoredOnlyWhenAccepted) {
    for (const WriteCase& c : writeCases) {
        ScriptedTransport master;
        LinkedDoc doc;
        doc.useOpenLink(&master);
        // A write is acknowledged by echoing its address and count (or a coil's value).
        master.answer(Bytes(c.request.begin(), c.request.begin() + 4));
        ASSERT_EQ(c.send(doc), MBUS_SUCCESS) << c.name;
        ASSERT_EQ(master.calls.size(), 1u) << c.name;
        EXPECT_EQ(master.calls[0].functionCode, c.function) << c.name;
        EXPECT_EQ(master.calls[0].request, c.request) << c.name;
        c.expectStored(doc);

        LinkedDoc refused;
        refused.useOpenLink(&master);
        master.fail(MBUS_ILLEGAL_DATA_VALUE);
        EXPECT_EQ(c.send(refused), MBUS_ILLEGAL_DATA_VALUE) << c.name;
        EXPECT_TRUE(refused.image() == DeviceImage{}) << c.name;
    }
}

TEST(DocumentWrites, WholePanelOptionWritesCarrySixteenRegisters) {
    ScriptedTransport master;
    LinkedDoc doc;
    doc.useOpenLink(&master);
    master.answer({0x22, 0x10, 0x00, 0x10});
    master.answer({0x21, 0x00, 0x00, 0x10});
    DeviceImage::PerChannel<uint16_t> weights{};
    weights.fill(3);
    DeviceImage::PerChannel<int16_t> outputs{};
    outputs[15] = 0x1234;

    ASSERT_EQ(doc.sendAverageWeights(1, weights), MBUS_SUCCESS);
    ASSERT_EQ(doc.sendDefaultOutputs(0, outputs), MBUS_SUCCESS);
    ASSERT_EQ(master.calls.size(), 2u);
    const Bytes& weightRequest = master.calls[0].request;
    EXPECT_EQ(Bytes(weightRequest.begin(), weightRequest.begin() + 7),
              (Bytes{0x22, 0x10, 0x00, 0x10, 32, 0x00, 0x08}));
    EXPECT_EQ(master.calls[1].request.size(), 5u + 32u);
    EXPECT_EQ(master.calls[1].request[5 + 30], 0x12);
    EXPECT_EQ(*doc.getAverageWeightIndex(1, 15), 3);
    EXPECT_EQ(*doc.getDefaultOutput(0, 15), 0x1234);
}

TEST(DocumentWrites, OutOfRangeTargetsSendNothing) {
    ScriptedTransport master;
    LinkedDoc doc;
    doc.useOpenLink(&master);
    EXPECT_EQ(doc.sendTcpConfiguration(2, {}), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(doc.sendAnalogChannelState(4, 0, 0), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(doc.sendAverageWeight(0, 16, 1), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(doc.sendDefaultOutputs(-1, {}), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(doc.sendDigitalOutput(8, 0, 1), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_EQ(doc.sendResetDigitalPanel(8), MBUS_ILLEGAL_ARGUMENT);
    EXPECT_TRUE(master.calls.empty());
}
