#include "sim/SimSlave.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A unit and its application layer, fed request PDUs directly.
struct SlaveBench {
    explicit SlaveBench(const SimProfile& profile = SimProfile::richDefault())
        : unit(profile), slave(unit, log) {}

    std::vector<uint8_t> serve(const std::vector<uint8_t>& pdu,
                               const SimFaultSettings& faults = {}) {
        std::vector<uint8_t> reply(SimPdu::maxSize);
        std::string label;
        reply.resize(slave.serve(1, pdu.data(), pdu.size(), faults, SimSlave::Mode::Reply,
                                 reply.data(), label));
        return reply;
    }

    SimUnit unit;
    SimRequestLog log;
    SimSlave slave;
};

std::vector<uint8_t> readRequest(uint8_t function, uint16_t address, uint16_t count) {
    return {function, static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
            static_cast<uint8_t>(count >> 8), static_cast<uint8_t>(count)};
}

std::vector<uint8_t> writeRegistersRequest(uint16_t address, const std::vector<uint16_t>& values) {
    std::vector<uint8_t> pdu =
        readRequest(SimPdu::writeMultipleRegisters, address, static_cast<uint16_t>(values.size()));
    pdu.push_back(static_cast<uint8_t>(2 * values.size()));
    for (uint16_t value : values) {
        pdu.push_back(static_cast<uint8_t>(value >> 8));
        pdu.push_back(static_cast<uint8_t>(value));
    }
    return pdu;
}

std::vector<uint8_t> exceptionReply(uint8_t function, uint8_t code) {
    return {static_cast<uint8_t>(function | 0x80), code};
}

struct BlockRead {
    uint8_t function;
    uint16_t address;
    uint16_t count;
    const char* label;
};

} // namespace

TEST(SimSlave, EveryBlockAnswersItsReadFunctionWithItsCount) {
    const BlockRead blocks[] = {
        {4, 0x1202, 2, "Communication Check"},
        {4, 0x1200, 1, "Status Register"},
        {4, 0x1000, 80, "Device Information"},
        {4, 0x8F00, 8, "Digital Panel Bypass"},
        {4, 0x1100, 4, "RTU Configuration"},
        {4, 0x1110, 11, "TCP Configuration"},
        {4, 0x1120, 11, "TCP Configuration 2"},
        {4, 0x1204, 1, "Analog Scan Mode"},
        {4, 0x1300, 67, "User-Defined Scan Parameters"},
        {4, 0x2000, 64, "Analog Channel States"},
        {4, 0x2200, 64, "Analog Input Options"},
        {4, 0x2100, 64, "Analog Output Options"},
        {4, 0x8A00, 64, "Digital Device Information"}, // panel 0
        {4, 0x8A40, 64, "Digital Device Information"}, // panel 1
        {4, 0x8A80, 64, "Digital Device Information"}, // panel 2, bypassed but fitted
        {4, 0x8000, 16, "Digital Channel States"},
        {4, 0x8010, 16, "Digital Channel States"},
        {1, 0x8100, 16, "Digital Output Options"},
        {1, 0x8110, 16, "Digital Output Options"},
        {4, 0x003F, 1, "Live Analog Values"},
        {1, 0x0008, 1, "Live Digital Values"},
    };
    SlaveBench bench;
    for (const BlockRead& block : blocks) {
        const std::vector<uint8_t> reply =
            bench.serve(readRequest(block.function, block.address, block.count));
        const size_t dataBytes = block.function == 1 ? (block.count + 7u) / 8u : 2u * block.count;
        ASSERT_EQ(reply.size(), 2 + dataBytes) << block.label;
        EXPECT_EQ(reply[0], block.function) << block.label;
        EXPECT_EQ(reply[1], dataBytes) << block.label;
        EXPECT_EQ(bench.log.entries().back().label, block.label);
    }
}

TEST(SimSlave, AnswersTheExceptionOfEachRule) {
    const struct {
        const char* name;
        std::vector<uint8_t> pdu;
        std::vector<uint8_t> reply;
    } cases[] = {
        {"device information of a digital panel that is not fitted", readRequest(4, 0x8AC0, 64),
         exceptionReply(4, 4)},
        {"channel states of a digital panel that is not fitted", readRequest(4, 0x8030, 16),
         exceptionReply(4, 4)},
        {"output options of a digital panel that is not fitted", readRequest(1, 0x8130, 16),
         exceptionReply(1, 4)},
        {"reset of a digital panel that is not fitted", writeRegistersRequest(0x8C03, {0x00FF}),
         exceptionReply(0x10, 4)},
        {"range running into an unmapped address", readRequest(4, 0x1200, 6), exceptionReply(4, 2)},
        {"read of the write-only reset command", readRequest(4, 0x1201, 1), exceptionReply(4, 2)},
        {"unmapped coil", readRequest(1, 0x0080, 1), exceptionReply(1, 2)},
        {"count of zero", readRequest(4, 0x1000, 0), exceptionReply(4, 3)},
        {"count over 125", readRequest(4, 0x1000, 126), exceptionReply(4, 3)},
        {"function the unit does not know", readRequest(3, 0x1000, 1), exceptionReply(3, 1)},
        {"write to the read-only device information", writeRegistersRequest(0x1000, {0x41}),
         exceptionReply(0x10, 2)},
        {"write of all 11 TCP registers", writeRegistersRequest(0x1110, std::vector<uint16_t>(11)),
         exceptionReply(0x10, 2)},
        {"write to the read-only TCP port register", writeRegistersRequest(0x1117, {502}),
         exceptionReply(0x10, 2)},
        {"write across two blocks", writeRegistersRequest(0x203F, {1, 0}), exceptionReply(0x10, 2)},
        {"channel state that is not a wire code", writeRegistersRequest(0x2000, {2}),
         exceptionReply(0x10, 3)},
        {"average weight with two bits", writeRegistersRequest(0x2200, {3}),
         exceptionReply(0x10, 3)},
        {"baud index 8", writeRegistersRequest(0x1100, {0, 8, 2, 0x10}), exceptionReply(0x10, 3)},
        {"slave address high nibble with low bits", writeRegistersRequest(0x1103, {0x31}),
         exceptionReply(0x10, 3)},
        {"reset command value other than 0x00FF", writeRegistersRequest(0x1201, {1}),
         exceptionReply(0x10, 3)},
        {"scan list entry beyond channel 63", writeRegistersRequest(0x1300, {64}),
         exceptionReply(0x10, 3)},
        {"live value of an input channel", {6, 0x00, 0x00, 0x01, 0x00}, exceptionReply(6, 2)},
        {"live coil of an input channel", {5, 0x00, 0x00, 0xFF, 0x00}, exceptionReply(5, 2)},
    };
    for (const auto& c : cases) {
        SlaveBench bench;
        const SimProfile before = bench.unit.configuration();
        EXPECT_EQ(bench.serve(c.pdu), c.reply) << c.name;
        EXPECT_EQ(bench.unit.configuration().analogState, before.analogState) << c.name;
    }
}

TEST(SimSlave, ReadsAnyRangeOfMappedRegistersAcrossBlocks) {
    SlaveBench bench;
    // Communication check and analog scan mode, 0x1202..0x1204, in one read.
    EXPECT_EQ(bench.serve(readRequest(4, 0x1202, 3)).size(), 2u + 6u);
    // Live values and their averages, 0x0000..0x007C.
    EXPECT_EQ(bench.serve(readRequest(4, 0x0000, 125)).size(), 2u + 250u);
    // One register in the middle of a text field.
    EXPECT_EQ(bench.serve(readRequest(4, 0x1031, 1)).size(), 2u + 2u);
}

TEST(SimSlave, SecondaryTcpInterfaceIsUnmappedOnOldFirmware) {
    SlaveBench bench(SimProfile::minimal());
    EXPECT_EQ(bench.serve(readRequest(4, 0x1120, 11)), exceptionReply(4, 2));
    EXPECT_EQ(bench.serve(writeRegistersRequest(0x1120, std::vector<uint16_t>(7))),
              exceptionReply(0x10, 2));
    EXPECT_EQ(bench.serve(readRequest(4, 0x1110, 11)).size(), 2u + 22u);
}

TEST(SimSlave, WritesAnswerWithAddressAndCount) {
    SlaveBench bench;
    // TCP Configuration, 7 registers: 10.1.2.3 / 255.0.0.0 / 10.0.0.1, keepalive 5000.
    const std::vector<uint16_t> tcp = {0x0A01, 0x0203, 0xFF00, 0x0000, 0x0A00, 0x0001, 5000};
    EXPECT_EQ(bench.serve(writeRegistersRequest(0x1110, tcp)),
              (std::vector<uint8_t>{0x10, 0x11, 0x10, 0x00, 0x07}));
    const SimProfile::TcpInterface written = bench.unit.configuration().tcp[0];
    EXPECT_EQ(written.ipAddress, (std::array<uint8_t, 4>{10, 1, 2, 3}));
    EXPECT_EQ(written.subnetMask, (std::array<uint8_t, 4>{255, 0, 0, 0}));
    EXPECT_EQ(written.keepaliveMs, 5000);
    EXPECT_EQ(written.tcpPort, 502); // registers 7-10 are not written

    // fn 15, coils 0x8100..0x810F: 0x0F, 0x80 -> channels 0-3 and 15 default on.
    const std::vector<uint8_t> coils = {0x0F, 0x81, 0x00, 0x00, 0x10, 0x02, 0x0F, 0x80};
    EXPECT_EQ(bench.serve(coils), (std::vector<uint8_t>{0x0F, 0x81, 0x00, 0x00, 0x10}));
    EXPECT_EQ(bench.serve(readRequest(1, 0x8100, 16)),
              (std::vector<uint8_t>{0x01, 0x02, 0x0F, 0x80}));
}

TEST(SimSlave, ForcedExceptionAndWrongFunctionShapeTheReply) {
    SlaveBench bench;
    SimFaultSettings faults;
    faults.exceptions.push_back({0x1110, 0x111A, 4});
    // Any overlap counts: a read starting below the range.
    EXPECT_EQ(bench.serve(readRequest(4, 0x1100, 20), faults), exceptionReply(4, 4));
    EXPECT_EQ(bench.serve(readRequest(4, 0x1100, 4), faults).size(), 2u + 8u);

    SimFaultSettings wrongFunction;
    wrongFunction.wrongFunction = true;
    EXPECT_EQ(bench.serve(readRequest(4, 0x1200, 1), wrongFunction)[0], 0x05);
}

TEST(SimSlave, BroadcastWritesAreDoneWithoutReplyAndLostRequestsAreOnlyLogged) {
    SlaveBench bench;
    std::vector<uint8_t> reply(SimPdu::maxSize);
    std::string label;
    const std::vector<uint8_t> scanMode = writeRegistersRequest(0x1204, {0});
    EXPECT_EQ(bench.slave.serve(0, scanMode.data(), scanMode.size(), {}, SimSlave::Mode::Broadcast,
                                reply.data(), label),
              0u);
    EXPECT_EQ(bench.unit.configuration().scanMode, 0);

    const std::vector<uint8_t> back = writeRegistersRequest(0x1204, {1});
    EXPECT_EQ(bench.slave.serve(1, back.data(), back.size(), {}, SimSlave::Mode::Lost, reply.data(),
                                label),
              0u);
    EXPECT_EQ(bench.unit.configuration().scanMode, 0);
    ASSERT_EQ(bench.log.entries().size(), 2u);
    EXPECT_EQ(bench.log.entries()[1].label, "Analog Scan Mode");
    EXPECT_EQ(bench.log.entries()[1].function, 0x10);
    EXPECT_EQ(bench.log.entries()[1].address, 0x1204);
    EXPECT_EQ(bench.log.entries()[1].count, 1);
}
