#include "sim/Simulator.h"
#include "support/ScriptedTcpServer.h"
#include "support/VtrctlRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::StartsWith;
using Bytes = std::vector<uint8_t>;
using Answer = ScriptedTcpServer::Answer;

namespace {

// MBAP request and reply layout, as far as the fake unit needs it.
constexpr size_t functionOffset = 7;
constexpr size_t dataOffset = 8;

unsigned field16(const Bytes& frame, size_t offset) {
    return (unsigned{frame[offset]} << 8) | frame[offset + 1];
}

Bytes replyFrame(const Bytes& request, const Bytes& data) {
    const auto length = static_cast<uint16_t>(2 + data.size());
    Bytes frame(dataOffset + data.size());
    frame[4] = static_cast<uint8_t>(length >> 8); // transaction, protocol identifiers stay 0
    frame[5] = static_cast<uint8_t>(length);
    frame[6] = request[6]; // unit identifier
    frame[functionOffset] = request[functionOffset];
    std::copy(data.begin(), data.end(), frame.begin() + dataOffset);
    return frame;
}

// A unit whose input register at address a holds 0x1000 + a + `offset`, whose coil at address
// a is on when a is a multiple of 3, and which echoes every write.
Answer fakeUnit(const Bytes& request, unsigned offset = 0) {
    const unsigned address = field16(request, dataOffset);
    const unsigned count = field16(request, dataOffset + 2);
    Bytes data;
    switch (request[functionOffset]) {
    case 0x04:
        data.push_back(static_cast<uint8_t>(2 * count));
        for (unsigned i = 0; i < count; ++i) {
            const unsigned value = 0x1000 + address + i + offset;
            data.push_back(static_cast<uint8_t>(value >> 8));
            data.push_back(static_cast<uint8_t>(value));
        }
        break;
    case 0x01:
        data.push_back(static_cast<uint8_t>((count + 7) / 8));
        for (unsigned i = 0; i < count; ++i) {
            if (i % 8 == 0) {
                data.push_back(0);
            }
            if ((address + i) % 3 == 0) {
                data.back() = static_cast<uint8_t>(data.back() | (1u << (i % 8)));
            }
        }
        break;
    default: // writes: address and value or count echo
        data.assign(request.begin() + dataOffset, request.begin() + dataOffset + 4);
        break;
    }
    return Answer{replyFrame(request, data)};
}

using Outcome = VtrctlOutcome;

Outcome vtrctl(const std::vector<std::string>& arguments) {
    return runVtrctl(arguments);
}

std::string target(const ScriptedTcpServer& server) {
    return "127.0.0.1:" + std::to_string(server.port());
}

} // namespace

TEST(Vtrctl, ReadsPrintTheirValuesOnOneLine) {
    ScriptedTcpServer unit([](const Bytes& request) { return fakeUnit(request); });
    const struct {
        std::vector<std::string> arguments;
        const char* printed;
    } cases[] = {
        {{"read-input-registers", "1", "3"}, "4096 4097 4098\n"},
        {{"--hex", "read-input-registers", "0x11", "2"}, "0x1010 0x1011\n"},
        {{"read-coils", "1", "10"}, "1 0 0 1 0 0 1 0 0 1\n"},
        {{"--hex", "read-coils", "3", "2"}, "0 1\n"}, // coils are never hexadecimal
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"--tcp", target(unit)};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());

        const Outcome outcome = vtrctl(arguments);

        EXPECT_EQ(outcome.status, 0) << c.printed;
        EXPECT_EQ(outcome.out, c.printed);
        EXPECT_EQ(outcome.err, "");
    }
}

TEST(Vtrctl, WritesSendTheValuesAsTypedAndPrintNothing) {
    ScriptedTcpServer unit([](const Bytes& request) { return fakeUnit(request); });
    const struct {
        std::vector<std::string> arguments;
        Bytes data; // request data after the function code
    } cases[] = {
        //                                                    address     value
        {{"write-single-register", "5", "0xBEEF"}, {0x00, 0x04, 0xBE, 0xEF}},
        {{"write-single-register", "5", "-1"}, {0x00, 0x04, 0xFF, 0xFF}},
        {{"write-single-coil", "3", "7"}, {0x00, 0x02, 0xFF, 0x00}},
        {{"write-single-coil", "3", "0"}, {0x00, 0x02, 0x00, 0x00}},
        //                                                    address     count       bytes data
        {{"write-multiple-registers", "1", "1", "0x0203"},
         {0x00, 0x00, 0x00, 0x02, 0x04, 0x00, 0x01, 0x02, 0x03}},
        {{"write-multiple-coils", "9", "1", "0", "1"}, {0x00, 0x08, 0x00, 0x03, 0x01, 0x05}},
    };
    size_t sent = 0;
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"--tcp", target(unit), "--slave", "9"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());

        const Outcome outcome = vtrctl(arguments);

        EXPECT_EQ(outcome.status, 0) << c.arguments[0];
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, "");
        const auto requests = unit.requests();
        ASSERT_EQ(requests.size(), ++sent);
        EXPECT_EQ(requests.back()[6], 9); // unit identifier
        EXPECT_EQ(Bytes(requests.back().begin() + dataOffset, requests.back().end()), c.data)
            << c.arguments[0];
    }
}

TEST(Vtrctl, ArgumentsOutOfRangeAreAnsweredByTheMaster) {
    ScriptedTcpServer unit([](const Bytes& request) { return fakeUnit(request); });
    const std::vector<std::vector<std::string>> cases = {
        {"read-input-registers", "0", "1"},
        {"read-input-registers", "65537", "1"},
        {"--slave", "256", "read-coils", "1", "1"},
        {"--slave", "0", "read-input-registers", "1", "1"},
        {"write-single-register", "-1", "5"},
        {"write-multiple-registers",
         "1",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0",
         "0"}, // 101 registers
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"--tcp", target(unit)};
        arguments.insert(arguments.end(), c.begin(), c.end());

        const Outcome outcome = vtrctl(arguments);

        EXPECT_EQ(outcome.status, 1) << c[0] << ' ' << c[1];
        EXPECT_EQ(outcome.err, "error 1: Illegal argument error\n") << c[0] << ' ' << c[1];
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_TRUE(unit.requests().empty());
}

TEST(Vtrctl, FailuresPrintTheMastersCodeAndTextAndExitOne) {
    ScriptedTcpServer unit([](const Bytes& request) {
        //                                           unit        fn|0x80 exception
        return Answer{{0x00, 0x00, 0x00, 0x00, 0x00, 0x03, request[6], 0x84, 0x02}};
    });
    const Outcome exception = vtrctl({"--tcp", target(unit), "read-input-registers", "1", "1"});
    EXPECT_EQ(exception.status, 1);
    EXPECT_EQ(exception.err, "error 162: Illegal Data Address exception response\n");
    EXPECT_EQ(exception.out, "");

    uint16_t closedPort = 0;
    {
        ScriptedTcpServer gone([](const Bytes&) { return Answer{}; });
        closedPort = gone.port();
    }
    const Outcome refused =
        vtrctl({"--tcp", "127.0.0.1:" + std::to_string(closedPort), "read-coils", "1", "1"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "error 68: TCP/IP connection error\n");

    ScriptedTcpServer silent([](const Bytes&) { return Answer{}; });
    const Outcome timedOut =
        vtrctl({"--tcp", target(silent), "--timeout", "100", "read-coils", "1", "1"});
    EXPECT_EQ(timedOut.status, 1);
    EXPECT_EQ(timedOut.err, "error 132: Reply time-out\n");
}

TEST(Vtrctl, UsageErrorsPrintTheUsageAndExitTwoWithoutTraffic) {
    ScriptedTcpServer unit([](const Bytes& request) { return fakeUnit(request); });
    const std::string tcp = target(unit);
    const std::vector<std::vector<std::string>> cases = {
        {"read-coils", "1", "1"}, // no link
        {"--tcp", tcp},
        {"--tcp", tcp, "read-holding-registers", "1", "1"},
        {"--tcp", tcp, "read-coils", "1"},
        {"--tcp", tcp, "read-coils", "1", "2", "3"},
        {"--tcp", tcp, "read-coils", "one", "2"},
        {"--tcp", tcp, "read-coils", "1", "0x"},
        {"--tcp", tcp, "write-single-register", "1", "0x10000"},
        {"--tcp", tcp, "write-single-register", "1", "-32769"},
        {"--tcp", tcp, "write-multiple-registers", "1", "1", "70000"},
        {"--tcp", tcp, "write-single-coil", "1"},
        {"--tcp", tcp, "--count", "0", "read-coils", "1", "1"},
        {"--tcp", tcp, "--interval", "-1", "--count", "2", "read-coils", "1", "1"},
        {"--tcp", tcp, "read-coils", "1", "0"},
        {"--tcp", tcp, "read-coils", "1", "2001"},
        {"--tcp", tcp, "read-coils", "1", "5000000000"},
        {"--tcp", tcp, "read-coils", "1", "-4"},
        {"--tcp", tcp, "read-input-registers", "1", "0"},
        {"--tcp", tcp, "read-input-registers", "1", "126"},
        {"--tcp", tcp, "--timeout", "-1", "read-coils", "1", "1"},
        {"--tcp", tcp, "--retries", "x", "read-coils", "1", "1"},
        {"--tcp", tcp, "--slave", "", "read-coils", "1", "1"},
        {"--tcp", "127.0.0.1:99999", "read-coils", "1", "1"},
        {"--tcp", ":502", "read-coils", "1", "1"},
        {"--tcp", "", "read-coils", "1", "1"},
        {"--tcp", tcp, "--rtu", "", "read-coils", "1", "1"},
        {"--tcp", "[::1]", "read-coils", "1", "1"},
        {"--tcp", "[::1]:502", "read-coils", "1", "1"},
        {"--tcp", "127.0.0.1:502:1", "read-coils", "1", "1"},
        {"--tcp", tcp, "--bogus", "read-coils", "1", "1"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = vtrctl(c);

        std::string line;
        for (const auto& argument : c) {
            line += argument + ' ';
        }
        EXPECT_EQ(outcome.status, 2) << line;
        EXPECT_THAT(outcome.err, HasSubstr("usage: vtrctl --tcp HOST[:PORT]")) << line;
        EXPECT_EQ(outcome.out, "") << line;
    }
    EXPECT_EQ(unit.connections(), 0);
    for (const char* ipv6OrColons : {"[::1]", "[::1]:502", "127.0.0.1:502:1"}) {
        EXPECT_THAT(vtrctl({"--tcp", ipv6OrColons, "read-coils", "1", "1"}).err,
                    HasSubstr("IPv6 addresses and extra colons are not supported"));
    }
}

TEST(Vtrctl, HelpDocumentsEveryCommandAndExitsZero) {
    const Outcome outcome = vtrctl({"--help"});
    EXPECT_EQ(outcome.status, 0);
    for (const char* text :
         {"--tcp HOST[:PORT]", "--slave", "--timeout", "--retries", "--poll-delay", "--hex",
          "--count", "--interval", "--stats", "read-coils", "read-input-registers",
          "write-single-coil", "write-single-register", "write-multiple-coils",
          "write-multiple-registers", "error CODE: TEXT", "Exit status"}) {
        EXPECT_THAT(outcome.out, HasSubstr(text));
    }
}

TEST(Vtrctl, CountRepeatsOnOneConnectionAndPrintsTheLastValues) {
    std::atomic<unsigned> served{0};
    ScriptedTcpServer unit([&](const Bytes& request) { return fakeUnit(request, served++); });

    const Outcome outcome = vtrctl(
        {"--tcp", target(unit), "--count", "5", "--stats", "read-input-registers", "1", "2"});

    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "4100 4101\n"); // the fifth answer: offset 4
    EXPECT_EQ(unit.requests().size(), 5u);
    EXPECT_EQ(unit.connections(), 1);
    EXPECT_THAT(outcome.err, MatchesRegex("transactions 5\n"
                                          "failures 0\n"
                                          "min [0-9]+\n"
                                          "median [0-9]+\n"
                                          "mean [0-9]+\n"
                                          "max [0-9]+\n"));
}

// A poll loop leaves the link idle for longer than the unit's keepalive time, after which the
// unit has closed it: every repetition still answers.
TEST(Vtrctl, IntervalSpacesTheRepetitionsAndEachAnswersAfterTheUnitClosedTheIdleLink) {
    constexpr int keepaliveMs = 150;
    SimProfile profile = SimProfile::richDefault();
    profile.tcp[0].keepaliveMs = keepaliveMs;
    Simulator sim(profile);
    ASSERT_EQ(sim.startTcp(), 0);
    const auto start = std::chrono::steady_clock::now();

    const Outcome outcome =
        vtrctl({"--tcp", "127.0.0.1:" + std::to_string(sim.tcpPort()), "--count", "3", "--interval",
                std::to_string(2 * keepaliveMs), "--stats", "read-input-registers", "0x1201", "1"});

    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(4 * keepaliveMs)); // start to start, twice
    EXPECT_EQ(outcome.status, 0);
    EXPECT_THAT(outcome.err, StartsWith("transactions 3\nfailures 0\n"));
    EXPECT_EQ(sim.requestLog().size(), 3u);
}

TEST(Vtrctl, StatsCountFailuresAndEachFailurePrintsItsError) {
    std::atomic<int> served{0};
    ScriptedTcpServer unit([&](const Bytes& request) {
        if (served++ == 1) {
            //                                           unit        fn|0x80 exception
            return Answer{{0x00, 0x00, 0x00, 0x00, 0x00, 0x03, request[6], 0x81, 0x04}};
        }
        return fakeUnit(request);
    });

    const Outcome outcome =
        vtrctl({"--tcp", target(unit), "--count", "3", "--stats", "read-coils", "1", "3"});

    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "1 0 0\n");
    EXPECT_THAT(outcome.err, StartsWith("error 164: Slave Device Failure exception response\n"
                                        "transactions 3\n"
                                        "failures 1\n"));

    const Outcome unreachable = vtrctl({"--tcp", "127.0.0.1:1", "--stats", "read-coils", "1", "3"});
    EXPECT_EQ(unreachable.err, "error 68: TCP/IP connection error\n"
                               "transactions 0\nfailures 0\nmin -\nmedian -\nmean -\nmax -\n");
}

TEST(Vtrctl, InterruptEndsTheLoopAfterTheTransactionUnderWayAndStillPrintsTheStatistics) {
    std::atomic<int> served{0};
    ScriptedTcpServer unit([&](const Bytes& request) {
        if (++served == 3) {
            VtrctlProgram::interrupt(); // Ctrl+C while the third request is out
        }
        return fakeUnit(request);
    });

    const Outcome outcome = vtrctl(
        {"--tcp", target(unit), "--count", "1000", "--stats", "read-input-registers", "1", "2"});

    EXPECT_EQ(outcome.status, 130);
    EXPECT_EQ(unit.requests().size(), 3u);
    EXPECT_THAT(outcome.err, StartsWith("transactions 3\nfailures 0\n"));
}

TEST(Vtrctl, TheBuiltProgramRunsAsAProcess) {
    ScriptedTcpServer unit([](const Bytes& request) { return fakeUnit(request); });
    const std::string program = VTRCTL_BINARY;
    const std::string command =
        program + " --tcp " + target(unit) + " --hex read-input-registers 2 2 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[128] = {};
    const bool gotLine = std::fgets(line, sizeof line, pipe) != nullptr;
    const int status = pclose(pipe);

    EXPECT_TRUE(gotLine);
    EXPECT_STREQ(line, "0x1001 0x1002\n");
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(WEXITSTATUS(std::system((program + " --help >/dev/null").c_str())), 0);
    EXPECT_EQ(WEXITSTATUS(std::system((program + " read-coils 1 1 2>/dev/null").c_str())), 2);
    EXPECT_EQ(WEXITSTATUS(
                  std::system((program + " --tcp 127.0.0.1:1 read-coils 1 1 2>/dev/null").c_str())),
              1);
}
