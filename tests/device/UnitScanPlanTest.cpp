#include "device/RtuUnitScan.h"
#include "device/TcpUnitScan.h"

#include <gtest/gtest.h>

// The probe waits for request and reply on the wire (11 bits a character) plus the margin:
// a sweep at 19200 baud stays in seconds, and slow lines get the time their bytes need.
TEST(UnitScanPlan, ProbeTimeOutFollowsTheBaudRate) {
    const struct {
        int baudRate;
        int registers;
        int timeoutMs;
    } cases[] = {
        {19200, 1, 9 + RtuUnitScan::replyMarginMs},    // 15 characters: 8.6 ms
        {1200, 1, 138 + RtuUnitScan::replyMarginMs},   // 137.5 ms
        {115200, 1, 2 + RtuUnitScan::replyMarginMs},   // 1.4 ms
        {19200, 80, 100 + RtuUnitScan::replyMarginMs}, // the whole identity: 173 characters
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RtuUnitScan::probeTimeoutMs(c.baudRate, c.registers), c.timeoutMs)
            << c.baudRate << " baud, " << c.registers << " registers";
    }
}

TEST(UnitScanPlan, SlaveRangesPutTheUnitsDefaultAddressFirst) {
    const struct {
        const char* text;
        bool valid;
        std::vector<int> slaves;
    } cases[] = {
        {"30-33", true, {31, 30, 32, 33}},
        {"0x24-0x26", true, {36, 37, 38}},
        {"5", true, {5}},
        {"247", true, {247}},
        {"0-5", false, {}},
        {"5-4", false, {}},
        {"1-248", false, {}},
        {"1-", false, {}},
        {"x", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<int> slaves;
        EXPECT_EQ(RtuUnitScan::parseSlaves(c.text, slaves), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(slaves, c.slaves) << c.text;
        }
    }
    EXPECT_EQ(RtuUnitScan::likelySlaves(1, 247).size(), 247u);
    EXPECT_EQ(RtuUnitScan::likelySlaves(1, 247).front(), 31);
}

TEST(UnitScanPlan, AddressRangesTakeAWholeLastAddressOrItsLastOctet) {
    const struct {
        const char* text;
        const char* first;
        const char* last;
        uint16_t port;
    } cases[] = {
        {"127.0.0.1", "127.0.0.1", "127.0.0.1", 502},
        {"127.0.0.10-20:1502", "127.0.0.10", "127.0.0.20", 1502},
        {"127.0.0.250-127.0.1.5", "127.0.0.250", "127.0.1.5", 502},
        {"127.0.0.0-127.0.15.255", "127.0.0.0", "127.0.15.255", 502}, // 4096 addresses
    };
    for (const auto& c : cases) {
        TcpUnitScan::Range range;
        std::string problem;
        ASSERT_TRUE(TcpUnitScan::parseRange(c.text, range, problem)) << c.text << ": " << problem;
        EXPECT_EQ(TcpUnitScan::dotted(range.first), c.first);
        EXPECT_EQ(TcpUnitScan::dotted(range.last), c.last);
        EXPECT_EQ(range.port, c.port);
    }
    for (const char* refused : {"127.0.0.1-256", "127.0.0.1:", "127.0.0.1:65536", "unit7:502",
                                "127.0.0.1-127.0.16.1", "127.0.0.1-x"}) {
        TcpUnitScan::Range range;
        std::string problem;
        EXPECT_FALSE(TcpUnitScan::parseRange(refused, range, problem)) << refused;
        EXPECT_FALSE(problem.empty()) << refused;
    }
}
