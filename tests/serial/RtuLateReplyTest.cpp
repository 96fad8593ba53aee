#include "modbus/MbusError.h"
#include "modbus/MbusRtuMasterProtocol.h"
#include "sim/Simulator.h"

#include <gtest/gtest.h>

namespace {

constexpr int unitSlave = 31;
constexpr int timeoutMs = 1000;
// Late enough to miss the time-out, early enough to come while the next request is out.
constexpr int lateReplyMs = 1500;
// One-based references of the manufacturer text "Vantrel": "Va", then "nt".
constexpr int firstTwoLetters = 0x1001;
constexpr int nextTwoLetters = 0x1003;

} // namespace

TEST(RtuLateReply, IsNeverTakenForTheReplyToTheNextRequest) {
    for (const bool reopen : {false, true}) {
        Simulator sim;
        ASSERT_EQ(sim.startRtuPty(), 0);
        const std::string line = sim.rtuDevicePath();
        MbusRtuMasterProtocol master;
        master.setTimeout(timeoutMs);
        ASSERT_EQ(master.openPort(line.c_str(), 19200), MBUS_SUCCESS);

        uint16_t values[2] = {};
        sim.faults().setDelayMs(lateReplyMs);
        EXPECT_EQ(master.readInputRegisters(unitSlave, firstTwoLetters, values, 2),
                  MBUS_REPLY_TIMEOUT);
        sim.faults().clear();
        if (reopen) {
            master.closeLink();
            ASSERT_EQ(master.openPort(line.c_str(), 19200), MBUS_SUCCESS);
        }
        EXPECT_EQ(master.readInputRegisters(unitSlave, nextTwoLetters, values, 2), MBUS_SUCCESS);
        EXPECT_EQ(values[0], 'n') << (reopen ? "after reopening" : "on one open port");
        EXPECT_EQ(values[1], 't') << (reopen ? "after reopening" : "on one open port");
    }
}

// A search asks each address once and does not wait for late replies: one that meets the
// request to the next address is refused by its slave address, never taken as that answer.
TEST(RtuLateReply, WithoutTheWaitIsRefusedByTheNextAddress) {
    Simulator sim;
    ASSERT_EQ(sim.startRtuPty(), 0);
    MbusRtuMasterProtocol master;
    master.setTimeout(timeoutMs);
    master.setLateReplyWait(0);
    ASSERT_EQ(master.openPort(sim.rtuDevicePath().c_str(), 19200), MBUS_SUCCESS);

    uint16_t values[2] = {};
    sim.faults().setDelayMs(lateReplyMs);
    EXPECT_EQ(master.readInputRegisters(unitSlave, firstTwoLetters, values, 2), MBUS_REPLY_TIMEOUT);
    sim.faults().clear();
    EXPECT_EQ(master.readInputRegisters(unitSlave + 1, nextTwoLetters, values, 2),
              MBUS_INVALID_FRAME);
}
