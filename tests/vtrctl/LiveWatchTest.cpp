#include "tools/vtrctl/LiveWatch.h"

#include "quickview/LiveChannel.h"

#include "support/SimulatedDocument.h"

#include <gmock/gmock.h>

#include <sstream>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class LiveWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(unit.ready());
        unit.sim.unit().freezeLiveValues(3);
    }
    std::string analog(uint16_t address) {
        uint16_t value = 0;
        unit.sim.unit().readRegisters(address, 1, &value);
        return std::to_string(value);
    }
    std::string coil(uint16_t address) {
        uint8_t bit = 0;
        unit.sim.unit().readCoils(address, 1, &bit);
        return std::to_string(bit);
    }
    static std::string clock() { return "09:15:00.250"; }

    SimulatedDocument unit{SimulatedDocument::fewChannelsProfile()};
    std::ostringstream out;
};

} // namespace

TEST_F(LiveWatchTest, PrintsEveryChannelOnceAndThenOnlyWhatChanged) {
    LiveWatch watch(unit.doc, false);
    ASSERT_EQ(watch.listChannels({}), 5);
    const std::string firstInputs[] = {analog(0), analog(3)};
    const std::string firstCoil = coil(2);
    std::vector<unsigned> waits;
    watch.run(
        2, out,
        [&](unsigned ms) {
            waits.push_back(ms);
            if (ms == LiveChannel::passPauseMs) {
                // Between the passes the inputs move on, someone writes the analog output and
                // the digital input starts to fail.
                unit.sim.unit().freezeLiveValues(4);
                const uint16_t output = 777;
                unit.sim.unit().writeRegisters(1, 1, &output);
                unit.sim.faults().addException(2, 2, 4);
            }
            return true;
        },
        clock);

    std::vector<std::string> expected = {
        "09:15:00.250 analog 0 ch 0 input " + firstInputs[0],
        "09:15:00.250 analog 0 ch 1 output 250",
        "09:15:00.250 analog 0 ch 3 input " + firstInputs[1],
        "09:15:00.250 digital 0 ch 2 input " + firstCoil,
        "09:15:00.250 digital 0 ch 4 output 0",
    };
    if (analog(0) != firstInputs[0]) {
        expected.push_back("09:15:00.250 analog 0 ch 0 input " + analog(0));
    }
    expected.push_back("09:15:00.250 analog 0 ch 1 output 777");
    if (analog(3) != firstInputs[1]) {
        expected.push_back("09:15:00.250 analog 0 ch 3 input " + analog(3));
    }
    expected.push_back(
        "09:15:00.250 digital 0 ch 2 input (164, Slave Device Failure exception resp)");
    EXPECT_EQ(linesOf(out.str()), expected);
    EXPECT_THAT(waits, ElementsAre(20, 20, 20, 20, 500, 20, 20, 20, 20));
}

TEST_F(LiveWatchTest, WatchesOnlyTheNamedPanelsInHexadecimalUntilStopped) {
    LiveWatch watch(unit.doc, true);
    LiveWatch::Panel panel{};
    ASSERT_TRUE(LiveWatch::parsePanel("a0", panel));
    ASSERT_EQ(watch.listChannels({panel}), 3);
    int waitsLeft = 1;
    watch.run(
        0, out, [&](unsigned) { return waitsLeft-- > 0; }, clock);

    EXPECT_THAT(
        linesOf(out.str()),
        ElementsAre(::testing::MatchesRegex("09:15:00.250 analog 0 ch 0 input 0x[0-9A-F]{4}"),
                    "09:15:00.250 analog 0 ch 1 output 0x00FA"));
}

TEST(LiveWatchPanels, NameAnalogPanelsZeroToThreeAndDigitalPanelsZeroToSeven) {
    const struct {
        const char* text;
        bool valid;
        PanelKind kind;
        int index;
    } cases[] = {
        {"a0", true, PanelKind::analog, 0},
        {"a3", true, PanelKind::analog, 3},
        {"d0", true, PanelKind::digital, 0},
        {"d7", true, PanelKind::digital, 7},
        {"a4", false, {}, 0},
        {"d8", false, {}, 0},
        {"a", false, {}, 0},
        {"a10", false, {}, 0},
        {"x1", false, {}, 0},
        {"", false, {}, 0},
    };
    for (const auto& c : cases) {
        LiveWatch::Panel panel{};
        EXPECT_EQ(LiveWatch::parsePanel(c.text, panel), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(panel.kind, c.kind) << c.text;
            EXPECT_EQ(panel.index, c.index) << c.text;
        }
    }
}
