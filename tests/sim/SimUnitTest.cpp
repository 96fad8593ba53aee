#include "sim/SimUnit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

uint16_t readOne(SimUnit& unit, uint16_t address) {
    uint16_t value = 0xDEAD;
    EXPECT_EQ(unit.readRegisters(address, 1, &value), 0) << std::hex << address;
    return value;
}

uint8_t readCoil(SimUnit& unit, uint16_t address) {
    uint8_t bit = 0xEE;
    EXPECT_EQ(unit.readCoils(address, 1, &bit), 0) << std::hex << address;
    return bit;
}

int writeOne(SimUnit& unit, uint16_t address, uint16_t value) {
    return unit.writeRegisters(address, 1, &value);
}

constexpr uint16_t wireOutput = 0x0080;
constexpr uint16_t wireInput = 0x0001;

} // namespace

TEST(SimUnit, ChangingAChannelStateResetsItsOptions) {
    SimUnit unit(SimProfile::richDefault());
    // Analog channel 0.3 is an input with weight index 5; 0.8 an output with default 0.
    ASSERT_EQ(readOne(unit, 0x2203), 1u << 5);
    ASSERT_EQ(writeOne(unit, 0x2108, 1234), 0);

    ASSERT_EQ(writeOne(unit, 0x2003, wireOutput), 0);
    EXPECT_EQ(readOne(unit, 0x2003), wireOutput);
    EXPECT_EQ(readOne(unit, 0x2103), 0); // default output of a new output is 0
    ASSERT_EQ(writeOne(unit, 0x2103, 777), 0);
    ASSERT_EQ(writeOne(unit, 0x2003, wireInput), 0);
    EXPECT_EQ(readOne(unit, 0x2203), 1u << 2); // a new input averages over 4 samples

    ASSERT_EQ(writeOne(unit, 0x2008, wireInput), 0);
    EXPECT_EQ(readOne(unit, 0x2208), 1u << 2);
    ASSERT_EQ(writeOne(unit, 0x2008, wireOutput), 0);
    EXPECT_EQ(readOne(unit, 0x2108), 0);

    // Digital panel 0 channel 2 is an input; as an output its default output is 0.
    const uint8_t on = 1;
    ASSERT_EQ(unit.writeCoils(0x8102, 1, &on), 0);
    ASSERT_EQ(writeOne(unit, 0x8002, wireOutput), 0);
    EXPECT_EQ(readCoil(unit, 0x8102), 0);
}

TEST(SimUnit, RtuConfigurationSetsTheLineTheUnitAnswersWith) {
    SimProfile profile = SimProfile::richDefault();
    profile.slaveAddress = 0x25;
    SimUnit unit(profile);
    EXPECT_EQ(readOne(unit, 0x1103), 0x20); // only the high nibble is configuration

    // RS485 2-wire, 9600 baud, odd parity, high nibble 0x30.
    const uint16_t rtu[] = {1, 3, 1, 0x30};
    ASSERT_EQ(unit.writeRegisters(0x1100, 4, rtu), 0);
    const SimUnit::RtuLine line = unit.rtuLine();
    EXPECT_EQ(line.slaveAddress, 0x35);
    EXPECT_EQ(line.serialInterface, 1);
    EXPECT_EQ(line.baudIndex, 3);
    EXPECT_EQ(line.parityIndex, 1);

    // High nibble 0 with low nibble 0 is no usable address: the status says so.
    unit.setSlaveAddressLowNibble(0);
    ASSERT_EQ(writeOne(unit, 0x1103, 0x00), 0);
    EXPECT_EQ(readOne(unit, 0x1200) & 0x10, 0x10);
}

TEST(SimUnit, LiveInputsFollowTheSeededWaveformSlowly) {
    SimUnit first(SimProfile::richDefault());
    SimUnit second(SimProfile::richDefault());
    first.freezeLiveValues(1000);
    second.freezeLiveValues(1000);
    uint16_t a[8];
    uint16_t b[8];
    ASSERT_EQ(first.readRegisters(0x0000, 8, a), 0);
    ASSERT_EQ(second.readRegisters(0x0000, 8, b), 0);
    EXPECT_TRUE(std::equal(a, a + 8, b));

    // One step later each input has moved, but only a little.
    first.freezeLiveValues(1001);
    bool anyMoved = false;
    for (uint16_t ch = 0; ch < 8; ++ch) {
        const int now = readOne(first, ch);
        EXPECT_LE(std::abs(now - a[ch]), 64) << "channel " << ch;
        EXPECT_LT(now, 4096);
        anyMoved = anyMoved || now != a[ch];
        const uint16_t average = readOne(first, static_cast<uint16_t>(ch + 64));
        const uint16_t maximum = readOne(first, static_cast<uint16_t>(ch + 128));
        const uint16_t minimum = readOne(first, static_cast<uint16_t>(ch + 192));
        EXPECT_LE(minimum, now);
        EXPECT_LE(minimum, average);
        EXPECT_LE(average, maximum);
        EXPECT_LE(now, maximum);
    }
    EXPECT_TRUE(anyMoved);

    // Another seed, another waveform.
    SimProfile other = SimProfile::richDefault();
    other.waveformSeed = 99;
    SimUnit third(other);
    third.freezeLiveValues(1000);
    uint16_t c[8];
    ASSERT_EQ(third.readRegisters(0x0000, 8, c), 0);
    EXPECT_FALSE(std::equal(a, a + 8, c));
}

TEST(SimUnit, DigitalInputsChangeNowAndThen) {
    SimUnit unit(SimProfile::richDefault());
    // Digital panel 0 channels 0-7 are inputs. Over 60 s of steps each changes, but rarely.
    for (uint16_t ch = 0; ch < 8; ++ch) {
        int changes = 0;
        unit.freezeLiveValues(0);
        uint8_t previous = readCoil(unit, ch);
        for (uint32_t step = 1; step <= 600; ++step) {
            unit.freezeLiveValues(step);
            const uint8_t now = readCoil(unit, ch);
            changes += now != previous;
            previous = now;
        }
        EXPECT_GE(changes, 2) << "channel " << ch;
        EXPECT_LE(changes, 60) << "channel " << ch;
    }
}

TEST(SimUnit, OutputsHoldWhatWasWritten) {
    SimUnit unit(SimProfile::richDefault());
    // Analog channel 0.8 and digital channel 0.8 are outputs.
    ASSERT_EQ(writeOne(unit, 0x0008, 0x0ABC), 0);
    const uint8_t on = 1;
    ASSERT_EQ(unit.writeCoils(0x0008, 1, &on), 0);
    for (uint32_t step : {0u, 50u, 5000u}) {
        unit.freezeLiveValues(step);
        EXPECT_EQ(readOne(unit, 0x0008), 0x0ABC);
        EXPECT_EQ(readCoil(unit, 0x0008), 1);
    }
    EXPECT_EQ(unit.analogOutputValue(8), 0x0ABC);
    EXPECT_TRUE(unit.digitalOutputValue(8));
}

TEST(SimUnit, ResetCommandsRestoreFactoryConfiguration) {
    SimUnit unit(SimProfile::richDefault());
    ASSERT_EQ(writeOne(unit, 0x1201, 0x00FF), 0);
    const SimProfile analog = unit.configuration();
    EXPECT_EQ(analog.scanMode, 0);
    EXPECT_TRUE(analog.scanList.empty());
    for (int id = 0; id < SimProfile::analogChannelCount; ++id) {
        const bool fitted = analog.analogPanelFitted[id / 16];
        EXPECT_EQ(analog.analogState[id], fitted ? SimProfile::Input : SimProfile::Vacant);
        EXPECT_EQ(analog.averageWeightIndex[id], 2);
        EXPECT_EQ(analog.defaultOutput[id], 0);
    }
    // Digital configuration is untouched by the analog reset; panel 1 has its own command.
    EXPECT_EQ(analog.digitalPanels[1].state[4], SimProfile::Output);
    ASSERT_EQ(writeOne(unit, 0x8C01, 0x00FF), 0);
    const SimProfile digital = unit.configuration();
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(digital.digitalPanels[1].state[ch], SimProfile::Input);
    }
    EXPECT_EQ(digital.digitalPanels[0].state[15], SimProfile::Output);
}

TEST(SimUnit, RefusedWriteChangesNothing) {
    SimUnit unit(SimProfile::richDefault());
    const SimProfile before = unit.configuration();
    // Three channel states, the last one not a wire code.
    const uint16_t states[] = {wireOutput, wireOutput, 0x0002};
    EXPECT_EQ(unit.writeRegisters(0x2000, 3, states), 3);
    EXPECT_EQ(unit.configuration().analogState, before.analogState);
    // Channel states of an analog panel that is not fitted can only be Vacant.
    EXPECT_EQ(writeOne(unit, 0x2030, wireInput), 3);
    EXPECT_EQ(writeOne(unit, 0x2030, 0), 0);
}

TEST(SimUnit, TextFieldsAndOctetsUseTheWireLayout) {
    SimProfile profile = SimProfile::richDefault();
    profile.identity.firmwareRevision = "ABCDEFGHIJKLMNOP"; // all 16 registers filled
    profile.tcp[0].ipAddress = {10, 20, 30, 40};
    profile.tcp[0].macAddress = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    profile.scanList = {5, 17};
    SimUnit unit(profile);
    EXPECT_EQ(readOne(unit, 0x1030), 'A');
    EXPECT_EQ(readOne(unit, 0x103F), 'P');
    EXPECT_EQ(readOne(unit, 0x1110), 0x0A14);
    EXPECT_EQ(readOne(unit, 0x1111), 0x1E28);
    EXPECT_EQ(readOne(unit, 0x1118), 0x0011);
    EXPECT_EQ(readOne(unit, 0x111A), 0x4455);
    EXPECT_EQ(readOne(unit, 0x1300), 5);
    EXPECT_EQ(readOne(unit, 0x1301), 17);
    EXPECT_EQ(readOne(unit, 0x1302), 0xFF);
    EXPECT_EQ(readOne(unit, 0x1340), 0xFF);
    EXPECT_EQ(readOne(unit, 0x8F02), 1); // digital panel 2 is bypassed
}

TEST(SimUnit, DigitalPanelThatIsNotFittedRefusesReadsAndWritesAlikeWithDeviceFailure) {
    SimUnit unit(SimProfile::richDefault()); // digital panels 3 to 7 are not fitted
    const SimProfile before = unit.configuration();
    constexpr int deviceFailure = 4;
    uint16_t words[16];
    std::fill(std::begin(words), std::end(words), wireOutput);
    uint8_t bits[16];
    std::fill(std::begin(bits), std::end(bits), uint8_t{1});
    struct Case {
        const char* name;
        int result;
    };
    const Case cases[] = {
        {"read device information", unit.readRegisters(0x8A00 + 64 * 3, 16, words)},
        {"read channel states", unit.readRegisters(0x8030, 16, words)},
        {"write channel states", unit.writeRegisters(0x8030, 16, words)},
        {"write one channel state", writeOne(unit, 0x807F, wireInput)},
        {"read output options", unit.readCoils(0x8130, 16, bits)},
        {"write output options", unit.writeCoils(0x8130, 16, bits)},
        {"reset", writeOne(unit, 0x8C03, 0x00FF)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result, deviceFailure) << c.name;
    }
    for (int panel = 3; panel < 8; ++panel) {
        EXPECT_EQ(unit.configuration().digitalPanels[panel].state,
                  before.digitalPanels[panel].state);
        EXPECT_EQ(unit.configuration().digitalPanels[panel].defaultOutput,
                  before.digitalPanels[panel].defaultOutput);
    }
}
